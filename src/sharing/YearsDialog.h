#pragma once

#include "export/ExportDialogs.h"

#include <QDialog>

#include <optional>

class QLabel;
class QSpinBox;

namespace kestro {

// Asks for the first and the last year of a printed calendar, one page each; both start at the
// request's years. OK refuses a range that cannot be printed and says why in the dialog.
class YearsDialog final : public QDialog {
public:
    YearsDialog(const YearsDialogRequest& request, QWidget* parent);

    YearRange Years() const;

    QSpinBox* firstYear;
    QSpinBox* lastYear;
    QLabel* problem;

    void accept() override;
};

// Shows the dialog; the years, or nothing when the user cancels.
std::optional<YearRange> AskYears(QWidget* owner, const YearsDialogRequest& request);

} // namespace kestro
