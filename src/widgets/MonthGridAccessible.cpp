#include "widgets/MonthGridAccessible.h"

#include "rotation/MonthView.h"
#include "widgets/MonthGrid.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <array>

namespace kestro {
namespace {

constexpr int CellCount = MonthGridColumns * MonthGridRows;

// One day of the grid, cell `index` counted row by row.
class DayCellAccessible final : public QAccessibleInterface {
public:
    DayCellAccessible(MonthGrid* grid, int index) : grid_(grid), index_(index) {}

    bool isValid() const override { return !grid_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !grid_ || !grid_->cellName)
            return {};
        return grid_->cellName(index_ % MonthGridColumns, index_ / MonthGridColumns);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!grid_)
            return {};
        const QRect cell = grid_->CellRect(index_ % MonthGridColumns, index_ / MonthGridColumns);
        return {grid_->mapToGlobal(cell.topLeft()), cell.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (grid_ && grid_->SelectedIndex() == index_) {
            state.selected = true;
            state.focused = grid_->hasFocus();
        }
        if (!grid_ || !grid_->isVisible())
            state.invisible = true;
        return state;
    }

private:
    QPointer<MonthGrid> grid_;
    int index_;
};

class MonthGridAccessible final : public QAccessibleWidget {
public:
    explicit MonthGridAccessible(MonthGrid* grid) : QAccessibleWidget(grid, QAccessible::List) {
        for (int index = 0; index < CellCount; ++index) {
            auto* cell = new DayCellAccessible(grid, index);
            cells_[std::size_t(index)] = QAccessible::registerAccessibleInterface(cell);
        }
    }
    ~MonthGridAccessible() override {
        for (QAccessible::Id id : cells_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return CellCount; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= CellCount)
            return nullptr;
        return QAccessible::accessibleInterface(cells_[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < CellCount; ++index) {
            if (QAccessible::accessibleInterface(cells_[std::size_t(index)]) == child)
                return index;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int index = 0; index < CellCount; ++index) {
            QAccessibleInterface* cell = child(index);
            if (cell->rect().contains(x, y))
                return cell;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const auto* grid = static_cast<const MonthGrid*>(widget());
        return grid->hasFocus() ? child(grid->SelectedIndex()) : nullptr;
    }
    // The selected day, for readers that only look at the grid itself.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) {
            if (QAccessibleInterface* selected =
                    child(static_cast<const MonthGrid*>(widget())->SelectedIndex()))
                return selected->text(QAccessible::Name);
        }
        return QAccessibleWidget::text(t);
    }

private:
    std::array<QAccessible::Id, CellCount> cells_{};
};

} // namespace

QAccessibleInterface* MonthGridAccessibleFactory(const QString&, QObject* object) {
    if (auto* grid = dynamic_cast<MonthGrid*>(object))
        return new MonthGridAccessible(grid);
    return nullptr;
}

} // namespace kestro
