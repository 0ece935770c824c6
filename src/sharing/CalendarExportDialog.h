#pragma once

#include "export/ExportDialogs.h"

#include <QDialog>

#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kestro {

// Asks what goes into a calendar file: the platoons (one check box each), the first and the last
// day and the event text, as the request gives them first. Export refuses fields it cannot read
// and says why in the dialog.
class CalendarExportDialog final : public QDialog {
public:
    CalendarExportDialog(const CalendarExportRequest& request, QWidget* parent);

    CalendarExportForm Form() const;
    // The reading of the fields when the dialog was accepted.
    std::optional<CalendarExportChoice> choice;

    std::vector<QCheckBox*> platoons;
    QLineEdit* from;
    QLineEdit* until;
    QLineEdit* eventText;
    QCheckBox* oneDayEvents;
    QLabel* problem;

    void accept() override;

private:
    CalendarExportRequest request_;
};

// Shows the dialog; the choice, or nothing when the user cancels.
std::optional<CalendarExportChoice> AskCalendarExport(QWidget* owner,
                                                      const CalendarExportRequest& request);

} // namespace kestro
