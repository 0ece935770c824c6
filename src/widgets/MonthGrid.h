#pragma once

#include "rotation/Navigation.h"

#include <QFrame>
#include <QRect>
#include <QSize>

#include <functional>

class QPainter;

namespace kestro {

// The owner-drawn 7 x 6 month grid: cells of a set size with 1-pixel lines between them inside a
// sunken border. Every cell is painted by drawCell; every key pressed while it has the focus goes
// to keyDown, as the grid key it stands for, and nowhere else (Tab and Shift+Tab still move the
// focus, and Alt shortcuts of other controls still work). The grid has no selected cell of its own;
// while it has the focus the inner line of its border is drawn in the highlight color.
class MonthGrid final : public QFrame {
public:
    explicit MonthGrid(QWidget* parent);

    // Column width and row height, without the grid lines.
    void SetCellSize(QSize size);
    QRect CellRect(int column, int row) const;

    std::function<void(QPainter&, int column, int row, const QRect& cell)> drawCell;
    std::function<void(GridKey key, KeyModifiers modifiers)> keyDown;

    QSize cellSize{33, 24};

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace kestro
