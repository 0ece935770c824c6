#pragma once

#include "summary/YearSummary.h"

#include <QDialog>

class QLabel;
class QSpinBox;
class QTableWidget;

namespace kestro {

// The year summary: per platoon the days, Saturdays, Sundays and holidays worked in the year, and
// who works each holiday of the chosen file. Changing the year counts again; Holidays... leaves
// the window so that the main window can ask for a file.
class YearSummaryDialog final : public QDialog {
public:
    YearSummaryDialog(const YearSummaryRequest& request, QWidget* parent);

    QSpinBox* year;
    QLabel* holidayFile;
    QTableWidget* platoons;
    QTableWidget* holidays;
    bool chooseHolidays = false;

private:
    void Count();

    const YearSummaryRequest request_;
};

YearSummaryChoice ShowYearSummary(QWidget* owner, const YearSummaryRequest& request);

} // namespace kestro
