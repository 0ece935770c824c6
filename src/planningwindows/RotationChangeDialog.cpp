#include "planningwindows/RotationChangeDialog.h"

#include "calendar/DateText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestro {

RotationChangeDialog::RotationChangeDialog(const RotationChangeReport& report, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Preview Change"));
    const RotationChange& change = report.change;
    heading = new QLabel(RotationChangeHeading(change, report.format, QStringLiteral("In force"),
                                               QStringLiteral("Typed"))
                             .trimmed(),
                         this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    platoons = new QTableWidget(int(change.platoons.size()), 6, this);
    platoons->setObjectName(QStringLiteral("platoons"));
    platoons->setAccessibleName(QStringLiteral("What changes for each platoon"));
    platoons->setHorizontalHeaderLabels(
        {QStringLiteral("Platoon"), QStringLiteral("Days gained"), QStringLiteral("Days lost"),
         QStringLiteral("Weekend days gained"), QStringLiteral("Weekend days lost"),
         QStringLiteral("First change")});
    platoons->verticalHeader()->hide();
    platoons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    platoons->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < int(change.platoons.size()); ++row) {
        const PlatoonChange& p = change.platoons[std::size_t(row)];
        const QStringList cells{QString(p.letter),
                                QString::number(p.daysGained),
                                QString::number(p.daysLost),
                                QString::number(p.weekendDaysGained),
                                QString::number(p.weekendDaysLost),
                                p.firstChange == InvalidDay
                                    ? QStringLiteral("-")
                                    : FormatDate(report.format, DayNumberToDate(p.firstChange))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0 && column < 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            platoons->setItem(row, column, item);
        }
    }
    platoons->resizeColumnsToContents();
    platoons->horizontalHeader()->setStretchLastSection(true);
    platoons->setVisible(change.changedDays > 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(platoons, 1);
    layout->addWidget(buttons);
    resize(640, change.changedDays > 0 ? 340 : 160);
    (change.changedDays > 0 ? static_cast<QWidget*>(platoons) : buttons)->setFocus();
}

void ShowRotationChange(QWidget* owner, const RotationChangeReport& report) {
    RotationChangeDialog dialog(report, owner);
    dialog.exec();
}

} // namespace kestro
