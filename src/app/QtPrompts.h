#pragma once

#include "app/Prompts.h"

#include <QPointer>
#include <QWidget>

namespace kestro {

class TColorDlg;

// The real modal windows: message boxes captioned "Kestro", the desktop's file dialogs, the one
// Set Color dialog of the run, the help viewer, the About box, the dialogs of the sharing commands
// the print preview, the year summary and the planning windows.
class QtPrompts final : public Prompts {
public:
    // The Set Color dialog is made at the first color command (it costs a noticeable part of
    // the start-up otherwise) and reused for every later one.
    QtPrompts();
    ~QtPrompts() override;

    // The main window, on whose behalf every dialog is shown (a box shown over another dialog
    // belongs to that one); until it is set, and after it is gone, whichever window is active.
    QPointer<QWidget> MainWindow;

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    bool AskYesNo(const QString& title, const QString& text) override;
    std::optional<QString> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<QString> AskSaveFileName(const FileDialogRequest& request) override;
    ColorDialogResult PickColors(const ColorDialogRequest& request) override;
    bool ShowHelpContents(const QString& helpFile) override;
    void ShowAbout() override;
    std::optional<YearRange> AskYears(const YearsDialogRequest& request) override;
    std::optional<CalendarExportChoice>
    AskCalendarExport(const CalendarExportRequest& request) override;
    void ShowPrintPreview(const YearCalendarSource& source) override;
    YearSummaryChoice ShowYearSummary(const YearSummaryRequest& request) override;
    std::optional<RotationFields> ChooseCommonRotation() override;
    void ShowRotationChange(const RotationChangeReport& report) override;

private:
    QWidget* Owner() const;
    TColorDlg& ColorDlg();

    QPointer<TColorDlg> colorDlg_;
};

} // namespace kestro
