#pragma once

#include <QObject>

class QWidget;

namespace kestro {

// How the program's windows take the states a desktop puts them in (maximized, full screen,
// tiled, minimized, restored). A Wayland compositor that maximizes a window gives it the size of
// the screen and ends the program when its surface keeps another size; Qt's own title bar there
// offers Maximize also on windows of fixed or bounded size. So on Wayland, while a window is
// maximized, its size bounds are lifted and it takes the size the compositor gave: its controls
// keep their designed places and sizes, the rest is empty background. The bounds come back once
// the window is restored to a size within them. Full screen may stay smaller than the screen and
// keeps the bounds, as do all states on X11, where the window manager keeps to them.
class WindowStates final : public QObject {
public:
    // Watches every window of the application from its first show.
    static void Install();

    // Changes a window's width; while the window is maximized or full screen, the width it gets
    // back when restored.
    static void SetNormalWidth(QWidget& window, int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowStates(bool liftBoundsWhenMaximized, QObject* parent);
    void Follow(QWidget& window);

    bool liftBoundsWhenMaximized_;
};

} // namespace kestro
