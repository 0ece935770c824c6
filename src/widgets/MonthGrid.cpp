#include "widgets/MonthGrid.h"

#include "rotation/MonthView.h"
#include "widgets/MonthGridAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

namespace kestro {

namespace {

GridKey GridKeyOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return GridKey::Left;
    case Qt::Key_Right:
        return GridKey::Right;
    case Qt::Key_Up:
        return GridKey::Up;
    case Qt::Key_Down:
        return GridKey::Down;
    case Qt::Key_PageUp:
        return GridKey::PageUp;
    case Qt::Key_PageDown:
        return GridKey::PageDown;
    case Qt::Key_Home:
        return GridKey::Home;
    case Qt::Key_End:
        return GridKey::End;
    case Qt::Key_T:
        return GridKey::T;
    case Qt::Key_F5:
        return GridKey::F5;
    case Qt::Key_F1:
        return GridKey::F1;
    case Qt::Key_Help:
        return GridKey::Help;
    default:
        return GridKey::Other;
    }
}

KeyModifiers KeyModifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::AltModifier),
            modifiers.testFlag(Qt::ControlModifier)};
}

} // namespace

MonthGrid::MonthGrid(QWidget* parent) : QFrame(parent) {
    static const bool accessible = (QAccessible::installFactory(MonthGridAccessibleFactory), true);
    (void)accessible;
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

void MonthGrid::SetCellSize(QSize size) {
    cellSize = size;
    update();
}

QRect MonthGrid::CellRect(int column, int row) const {
    const QPoint origin = contentsRect().topLeft();
    return {origin.x() + column * (cellSize.width() + 1),
            origin.y() + row * (cellSize.height() + 1), cellSize.width(), cellSize.height()};
}

void MonthGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect contents = contentsRect();
    painter.fillRect(contents, palette().color(QPalette::Base));

    // The lines right of each column and below each row.
    const QRect last = CellRect(MonthGridColumns - 1, MonthGridRows - 1);
    const QColor lineColor = palette().color(QPalette::Button);
    for (int column = 0; column < MonthGridColumns; ++column) {
        const int x = CellRect(column, 0).right() + 1;
        painter.fillRect(QRect(QPoint(x, contents.top()), QPoint(x, last.bottom() + 1)) & contents,
                         lineColor);
    }
    for (int row = 0; row < MonthGridRows; ++row) {
        const int y = CellRect(0, row).bottom() + 1;
        painter.fillRect(QRect(QPoint(contents.left(), y), QPoint(last.right() + 1, y)) & contents,
                         lineColor);
    }

    for (int row = 0; row < MonthGridRows; ++row) {
        for (int column = 0; column < MonthGridColumns; ++column) {
            const QRect cell = CellRect(column, row);
            if (!drawCell)
                continue;
            painter.save();
            painter.setClipRect(cell & contents);
            drawCell(painter, column, row, cell);
            painter.restore();
        }
    }

    drawFrame(&painter);
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(contents.adjusted(-1, -1, 0, 0));
    }
}

void MonthGrid::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (keyDown)
        keyDown(GridKeyOf(event->key()), KeyModifiersOf(event->modifiers()));
}

void MonthGrid::SetSelectedCell(int column, int row) {
    const int index = column < 0 ? -1 : row * MonthGridColumns + column;
    const QString name = index >= 0 && cellName ? cellName(column, row) : QString();
    if (index == selectedIndex_ && name == selectedName_)
        return;
    selectedIndex_ = index;
    selectedName_ = name;
    TellSelectedDay();
}

void MonthGrid::TellSelectedDay() {
    if (!QAccessible::isActive() || selectedIndex_ < 0)
        return;
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface* cell = grid ? grid->child(selectedIndex_) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent selection(cell, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
    QAccessibleEvent named(cell, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    if (hasFocus()) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void MonthGrid::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
    // After the grid's own focus event: the reader goes on to the day.
    QMetaObject::invokeMethod(
        this, [this] { TellSelectedDay(); }, Qt::QueuedConnection);
}

void MonthGrid::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

} // namespace kestro
