#pragma once

#include "rotation/Navigation.h"

#include <QWidget>

#include <functional>

class QToolButton;

namespace kestro {

// A vertical pair of arrow buttons that reports which arrow was clicked; holding an arrow down
// repeats it like a click each time. The arrows take no focus.
class UpDownArrows final : public QWidget {
public:
    explicit UpDownArrows(QWidget* parent);

    std::function<void(UpDownArrow)> onClick;

    QToolButton* upper;
    QToolButton* lower;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace kestro
