#include "summarywindow/YearSummaryDialog.h"

#include "calendar/DateText.h"
#include "summary/Holidays.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kestro {
namespace {

QTableWidget* Table(const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

void SetRow(QTableWidget* table, int row, const QStringList& cells) {
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        if (column > 0 && table->columnCount() == 5)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}

} // namespace

YearSummaryDialog::YearSummaryDialog(const YearSummaryRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle(QStringLiteral("Year Summary"));
    year = new QSpinBox(this);
    year->setObjectName(QStringLiteral("year"));
    year->setRange(FirstCalendarYear, LastCalendarYear);
    year->setValue(request.year);
    auto* yearLabel = new QLabel(QStringLiteral("&Year:"), this);
    yearLabel->setBuddy(year);
    auto* choose = new QPushButton(QStringLiteral("&Holidays..."), this);
    choose->setObjectName(QStringLiteral("chooseHolidays"));
    choose->setAutoDefault(false);
    holidayFile = new QLabel(this);
    holidayFile->setObjectName(QStringLiteral("holidayFile"));
    holidayFile->setTextFormat(Qt::PlainText);

    platoons =
        Table({QStringLiteral("Platoon"), QStringLiteral("Days"), QStringLiteral("Saturdays"),
               QStringLiteral("Sundays"), QStringLiteral("Holidays")},
              this);
    platoons->setObjectName(QStringLiteral("platoons"));
    holidays =
        Table({QStringLiteral("Date"), QStringLiteral("Platoon"), QStringLiteral("Holiday")}, this);
    holidays->setObjectName(QStringLiteral("holidays"));
    holidays->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    holidays->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    auto* platoonsLabel = new QLabel(QStringLiteral("&Platoons:"), this);
    platoonsLabel->setBuddy(platoons);
    auto* holidaysLabel = new QLabel(QStringLiteral("&Who works each holiday:"), this);
    holidaysLabel->setBuddy(holidays);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(choose, &QPushButton::clicked, this, [this] {
        chooseHolidays = true;
        accept();
    });
    connect(year, &QSpinBox::valueChanged, this, [this] { Count(); });

    auto* top = new QHBoxLayout;
    top->addWidget(yearLabel);
    top->addWidget(year);
    top->addSpacing(12);
    top->addWidget(choose);
    top->addWidget(holidayFile, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(platoonsLabel);
    layout->addWidget(platoons, 0);
    layout->addWidget(holidaysLabel);
    layout->addWidget(holidays, 1);
    layout->addWidget(buttons);
    resize(480, 460);
    Count();
    year->setFocus();
}

void YearSummaryDialog::Count() {
    const int shown = year->value();
    HolidayList list;
    if (!request_.holidayFile.isEmpty())
        list = ReadHolidayFile(request_.holidayFile, {shown, shown});
    holidayFile->setText(request_.holidayFile.isEmpty() ? QStringLiteral("No holiday file chosen.")
                         : list.error.isEmpty()         ? QFileInfo(request_.holidayFile).fileName()
                                                        : list.error);
    const YearSummary summary = SummarizeYear(request_.settings, shown, list.days);
    platoons->setRowCount(int(summary.platoons.size()));
    for (int row = 0; row < int(summary.platoons.size()); ++row) {
        const PlatoonYear& p = summary.platoons[std::size_t(row)];
        SetRow(platoons, row,
               {QString(p.letter), QString::number(p.days), QString::number(p.saturdays),
                QString::number(p.sundays), QString::number(p.holidays)});
    }
    holidays->setRowCount(int(summary.holidays.size()));
    for (int row = 0; row < int(summary.holidays.size()); ++row) {
        const HolidayShift& shift = summary.holidays[std::size_t(row)];
        SetRow(holidays, row,
               {FormatDate(request_.format, DayNumberToDate(shift.holiday.day)),
                shift.letter.isNull() ? QStringLiteral("none") : QString(shift.letter),
                shift.holiday.name});
    }
    // The platoons' table is as high as its rows; the holidays' table takes the rest.
    platoons->setFixedHeight(platoons->horizontalHeader()->height() +
                             platoons->verticalHeader()->length() + 2 * platoons->frameWidth());
}

YearSummaryChoice ShowYearSummary(QWidget* owner, const YearSummaryRequest& request) {
    YearSummaryDialog dialog(request, owner);
    dialog.exec();
    return {dialog.chooseHolidays, dialog.year->value()};
}

} // namespace kestro
