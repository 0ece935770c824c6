#pragma once

#include "rotation/Navigation.h"

#include <QFrame>
#include <QRect>
#include <QSize>
#include <QString>

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
    // What a screen reader says of a cell's day.
    std::function<QString(int column, int row)> cellName;

    // The cell of the selected day (the owner's cursor), -1 for none. Setting it tells screen
    // readers when it or its name changed.
    void SetSelectedCell(int column, int row);
    int SelectedIndex() const { return selectedIndex_; }

    QSize cellSize{33, 24};

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void TellSelectedDay();

    int selectedIndex_ = -1;
    QString selectedName_;
};

} // namespace kestro
