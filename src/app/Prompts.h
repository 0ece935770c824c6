#pragma once

#include "colors/ColorDialogRequest.h"
#include "commands/FileCommands.h"
#include "export/ExportDialogs.h"
#include "planning/CommonRotations.h"
#include "planning/RotationChange.h"
#include "summary/YearSummary.h"

#include <QString>

#include <optional>

namespace kestro {

// Everything that waits for the user in a modal window. The program shows real dialogs; tests
// answer from a queue of expected prompts.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A plain message box: caption "Kestro", no icon, an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // The error box of a failed conversion: caption "Kestro", the error icon, an OK button.
    virtual void ShowError(const QString& text) = 0;
    // A question with Yes and No and no icon; true for Yes.
    virtual bool AskYesNo(const QString& title, const QString& text) = 0;
    // The chosen file's name, or nothing when the user cancels.
    virtual std::optional<QString> AskOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> AskSaveFileName(const FileDialogRequest& request) = 0;
    virtual ColorDialogResult PickColors(const ColorDialogRequest& request) = 0;
    // Shows the table of contents of a compiled help file; false when it cannot be opened.
    virtual bool ShowHelpContents(const QString& helpFile) = 0;
    virtual void ShowAbout() = 0;
    // The years of a printed calendar, or nothing when the user cancels.
    virtual std::optional<YearRange> AskYears(const YearsDialogRequest& request) = 0;
    // What goes into a calendar file, or nothing when the user cancels.
    virtual std::optional<CalendarExportChoice>
    AskCalendarExport(const CalendarExportRequest& request) = 0;
    // The print preview of a year calendar, from which the user prints.
    virtual void ShowPrintPreview(const YearCalendarSource& source) = 0;
    // The year summary window, until the user closes it or asks to choose a holiday file.
    virtual YearSummaryChoice ShowYearSummary(const YearSummaryRequest& request) = 0;
    // The common rotations; the one the user chose or made, or nothing when they cancel.
    virtual std::optional<RotationFields> ChooseCommonRotation() = 0;
    // What a change of rotation would do, until the user closes the window.
    virtual void ShowRotationChange(const RotationChangeReport& report) = 0;
};

} // namespace kestro
