#include "app/MainForm.h"

#include "export/IcsExport.h"
#include "sharing/YearCalendarPainter.h"
#include "startup/Platform.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

namespace kestro {
namespace {

const QString ExportCalendarTitle = QStringLiteral("Export Calendar");
const QString ExportPdfTitle = QStringLiteral("Export PDF");
const QString PrintTitle = QStringLiteral("Print");

// The settings file's name without its extension, or the calendar's usual name.
QString BaseName(const QString& settingsPath) {
    const QString base = QFileInfo(settingsPath).completeBaseName();
    return base.isEmpty() ? DefaultCalendarName : base;
}

FileDialogRequest ExportDialogRequest(const QString& title, const QString& folder,
                                      const QString& fileName, const QString& filter,
                                      const QString& suffix) {
    return {title, folder, fileName, filter, suffix};
}

} // namespace

void TMainForm::CreateShareMenu(QMenu* file) {
    file->addSeparator()->setObjectName(QStringLiteral("N2"));
    // Access keys that no other item of the File menu has: N, I, S, A and X are taken.
    MFileExportCalendar = file->addAction(QStringLiteral("Export &Calendar..."));
    MFileExportPdf = file->addAction(QStringLiteral("Export P&DF..."));
    MFilePrint = file->addAction(QStringLiteral("&Print..."));
    MFileExportCalendar->setObjectName(QStringLiteral("MFileExportCalendar"));
    MFileExportPdf->setObjectName(QStringLiteral("MFileExportPdf"));
    MFilePrint->setObjectName(QStringLiteral("MFilePrint"));
    connect(MFileExportCalendar, &QAction::triggered, this, &TMainForm::MFileExportCalendarClick);
    connect(MFileExportPdf, &QAction::triggered, this, &TMainForm::MFileExportPdfClick);
    connect(MFilePrint, &QAction::triggered, this, &TMainForm::MFilePrintClick);
}

void TMainForm::MFileExportCalendarClick() {
    // A rotation that cannot give a calendar is reported before the user fills in the dialog.
    if (const IcsCalendar check = BuildIcsCalendar(Settings, {}); !check.ok()) {
        prompts_.ShowMessage(check.error);
        return;
    }
    const std::optional<CalendarExportChoice> choice = prompts_.AskCalendarExport(
        MakeCalendarExportRequest(Settings, Today(), dateFormat_, CurrentYear()));
    if (!choice)
        return;
    IcsExportOptions options = ExportOptionsOf(*choice, Startup.SettingsPath);
    // Unsaved edits are newer than the file.
    if (SettingsModified)
        options.exportTime = QDateTime::currentDateTimeUtc();
    const IcsCalendar calendar = BuildIcsCalendar(Settings, options);
    if (!calendar.ok()) {
        prompts_.ShowMessage(calendar.error);
        return;
    }
    const std::optional<QString> chosen = prompts_.AskSaveFileName(
        ExportDialogRequest(ExportCalendarTitle, Startup.SettingsFolder,
                            BaseName(Startup.SettingsPath) + QStringLiteral(".ics"),
                            QStringLiteral("Calendar Files (*.ics)"), QStringLiteral("ics")));
    if (!chosen)
        return;
    if (const QString error =
            WriteIcsFile(AbsoluteName(*chosen), calendar.text, Startup.SettingsPath);
        !error.isEmpty())
        prompts_.ShowMessage(error);
}

std::optional<YearCalendarSource> TMainForm::AskYearCalendar(const QString& title) {
    YearCalendarSource source{
        Settings, dateFormat_, Startup.SettingsPath, {}, PaperSizeOfLocale(platform_.PaperLocale()),
        {}};
    if (const QString problem = RotationLengthProblem(Settings); !problem.isEmpty()) {
        prompts_.ShowMessage(problem);
        return std::nullopt;
    }
    const int year = DayNumberToDate(View.CursorDay).year;
    const std::optional<YearRange> years = prompts_.AskYears({title, {year, year}});
    if (!years)
        return std::nullopt;
    source.years = *years;
    if (const QString problem = YearRangeProblem(source.years); !problem.isEmpty()) {
        prompts_.ShowMessage(problem);
        return std::nullopt;
    }
    if (!ReadChosenHolidays(source.years, source.holidays))
        return std::nullopt;
    return source;
}

void TMainForm::MFileExportPdfClick() {
    const std::optional<YearCalendarSource> source = AskYearCalendar(ExportPdfTitle);
    if (!source)
        return;
    const YearRange years = source->years;
    const QString yearText = years.first == years.last
                                 ? QString::number(years.first)
                                 : QStringLiteral("%1-%2").arg(years.first).arg(years.last);
    const std::optional<QString> chosen = prompts_.AskSaveFileName(ExportDialogRequest(
        ExportPdfTitle, Startup.SettingsFolder,
        QStringLiteral("%1 %2.pdf").arg(BaseName(Startup.SettingsPath), yearText),
        QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("pdf")));
    if (!chosen)
        return;
    const QString path = AbsoluteName(*chosen);
    // Refused before the pages are drawn, not after.
    if (const QString problem = CalendarFileProblem(path, Startup.SettingsPath);
        !problem.isEmpty()) {
        prompts_.ShowMessage(problem);
        return;
    }
    // Many years take a few seconds.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QByteArray pdf = YearCalendarPdf(*source);
    QGuiApplication::restoreOverrideCursor();
    const QString error = pdf.isEmpty() ? QStringLiteral("The PDF could not be made.")
                                        : WritePdfFile(path, pdf, Startup.SettingsPath);
    if (!error.isEmpty())
        prompts_.ShowMessage(error);
}

void TMainForm::MFilePrintClick() {
    if (const std::optional<YearCalendarSource> source = AskYearCalendar(PrintTitle))
        prompts_.ShowPrintPreview(*source);
}

} // namespace kestro
