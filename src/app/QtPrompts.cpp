#include "app/QtPrompts.h"

#include "colordialog/SetColor.h"
#include "helpwindows/About.h"
#include "helpwindows/HelpViewer.h"
#include "planningwindows/CommonRotationsDialog.h"
#include "planningwindows/RotationChangeDialog.h"
#include "sharing/CalendarExportDialog.h"
#include "sharing/YearCalendarPainter.h"
#include "sharing/YearsDialog.h"
#include "summarywindow/YearSummaryDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace kestro {

namespace {

const QString ApplicationTitle = QStringLiteral("Kestro");

// The texts come from the user's fields and files: never read them as markup.
QMessageBox::StandardButton ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, text, buttons, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

std::optional<QString> AskFileName(QWidget* owner, const FileDialogRequest& request,
                                   QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, request.title);
    dialog.setAcceptMode(mode);
    // Open accepts a name that does not exist yet, as long as its folder does.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setDirectory(request.folder.isEmpty() ? QDir::currentPath() : request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtPrompts::QtPrompts() = default;

QtPrompts::~QtPrompts() {
    delete colorDlg_.data(); // unless its owner, the main window, took it along
}

TColorDlg& QtPrompts::ColorDlg() {
    if (colorDlg_.isNull())
        colorDlg_ = new TColorDlg(Owner());
    return *colorDlg_;
}

QWidget* QtPrompts::Owner() const {
    // The desktop keeps a dialog over the window it belongs to (and Wayland ties it to it).
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (!MainWindow.isNull())
        return MainWindow.data();
    return QApplication::activeWindow();
}

void QtPrompts::ShowMessage(const QString& text) {
    ShowBox(Owner(), QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompts::ShowError(const QString& text) {
    ShowBox(Owner(), QMessageBox::Critical, ApplicationTitle, text, QMessageBox::Ok,
            QMessageBox::Ok);
}

bool QtPrompts::AskYesNo(const QString& title, const QString& text) {
    return ShowBox(Owner(), QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::AskOpenFileName(const FileDialogRequest& request) {
    return AskFileName(Owner(), request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompts::AskSaveFileName(const FileDialogRequest& request) {
    return AskFileName(Owner(), request, QFileDialog::AcceptSave);
}

ColorDialogResult QtPrompts::PickColors(const ColorDialogRequest& request) {
    return ColorDlg().Execute(request);
}

bool QtPrompts::ShowHelpContents(const QString& helpFile) {
    return kestro::ShowHelpContents(Owner(), helpFile);
}

void QtPrompts::ShowAbout() {
    ShowAboutBox(Owner());
}

std::optional<YearRange> QtPrompts::AskYears(const YearsDialogRequest& request) {
    return kestro::AskYears(Owner(), request);
}

std::optional<CalendarExportChoice>
QtPrompts::AskCalendarExport(const CalendarExportRequest& request) {
    return kestro::AskCalendarExport(Owner(), request);
}

void QtPrompts::ShowPrintPreview(const YearCalendarSource& source) {
    ShowYearCalendarPrintPreview(Owner(), source);
}

YearSummaryChoice QtPrompts::ShowYearSummary(const YearSummaryRequest& request) {
    return kestro::ShowYearSummary(Owner(), request);
}

std::optional<RotationFields> QtPrompts::ChooseCommonRotation() {
    return kestro::ChooseCommonRotation(Owner());
}

void QtPrompts::ShowRotationChange(const RotationChangeReport& report) {
    kestro::ShowRotationChange(Owner(), report);
}

} // namespace kestro
