#pragma once

#include <QProxyStyle>

namespace kestro {

// The application's own style, except that the arrow a menu bar shows when its menus do not fit
// (the standard icon SP_ToolBarHorizontalExtensionButton) is read from the style only when it is
// first drawn or measured. QMenuBar asks for that icon as it is made, and reading its pictures
// loads every image format plugin, a tenth of the work of the main window's first frame; the
// window's menus always fit, so the arrow is never drawn. Every other answer, and the arrow when
// it is drawn, is the base style's own.
class DeferredIconStyle final : public QProxyStyle {
public:
    // Takes the place of the application's style (and ownership of it).
    static void Install();

    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace kestro
