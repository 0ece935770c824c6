#include "app/CompareCommand.h"
#include "app/IcsExportCommand.h"
#include "app/MainForm.h"
#include "app/PdfExportCommand.h"
#include "app/QtPrompts.h"
#include "app/SummaryCommand.h"
#include "app/SystemPlatform.h"
#include "calendar/Clock.h"
#include "export/ExportArguments.h"
#include "files/FileName.h"
#include "files/SaveSignals.h"
#include "planning/CompareArguments.h"
#include "startup/CommandLineInfo.h"
#include "startup/StartupFiles.h"
#include "summary/SummaryArguments.h"
#include "widgets/DeferredIconStyle.h"
#include "widgets/DesktopIdentity.h"
#include "widgets/WindowStates.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

namespace {

// File names pass through as the bytes they are, also those that are not valid UTF-8.
QStringList ArgumentsAfterProgramName(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(kestro::FileNameFromBytes(QByteArray(argv[i])));
    return arguments;
}

void KeepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    using namespace kestro;

    // Answered before QApplication exists, so that they work without a display.
    switch (FindInfoRequest(ArgumentsAfterProgramName(argc, argv))) {
    case InfoRequest::Help:
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    case InfoRequest::Version:
        std::fputs(VersionText().toLocal8Bit().constData(), stdout);
        return 0;
    case InfoRequest::None:
        break;
    }

    // A write past the file-size limit must fail like any other write error, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // A logout (SIGTERM) or Ctrl+C lets a save in progress finish first.
    InstallEndSignalHandlers();

    // Counted and printed without a window, so without a display; before the PDF export, whose
    // --holidays they share.
    if (IsCompareRequest(ArgumentsAfterProgramName(argc, argv))) {
        QCoreApplication core(argc, argv); // sets the user's locale for the short date format
        return CompareMain(ArgumentsAfterProgramName(argc, argv));
    }
    if (IsSummaryRequest(ArgumentsAfterProgramName(argc, argv))) {
        QCoreApplication core(argc, argv); // sets the user's locale for the short date format
        return SummaryMain(ArgumentsAfterProgramName(argc, argv));
    }
    if (IsWhoRequest(ArgumentsAfterProgramName(argc, argv))) {
        QCoreApplication core(argc, argv);
        return WhoMain(ArgumentsAfterProgramName(argc, argv));
    }

    // The PDF calendar is drawn without a window: the offscreen platform gives the fonts without
    // needing a display, whatever QT_QPA_PLATFORM says.
    if (IsPdfExportRequest(ArgumentsAfterProgramName(argc, argv))) {
        const QStringList arguments = ArgumentsAfterProgramName(argc, argv);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The command prints one line of its own; Qt's notes (such as a missing
        // XDG_RUNTIME_DIR under cron) would only add noise to it.
        qInstallMessageHandler(KeepSeriousMessages);
        QGuiApplication gui(argc, argv); // sets the user's locale for dates and names
        return ExportPdfMain(arguments);
    }

    // The calendar file is made without a window, so without a display.
    if (IsIcsExportRequest(ArgumentsAfterProgramName(argc, argv))) {
        const QStringList arguments = ArgumentsAfterProgramName(argc, argv);
        QCoreApplication core(argc, argv); // sets the user's locale for the short date format
        return ExportIcsMain(arguments);
    }

    QApplication app(argc, argv);
    DeferredIconStyle::Install();
    WindowStates::Install();

    SystemPlatform platform;
    // QApplication has set the user's locale by now; no window exists yet.
    const ShortDateFormat dateFormat = platform.DateFormat();
    // QApplication has taken its own options out of argv.
    const StartupState startup = ReadCommandLine(ArgumentsAfterProgramName(argc, argv), platform);
    // Only the name: a display name would be appended to every window title.
    QApplication::setApplicationName(QStringLiteral("Kestro"));
    IdentifyToDesktop();

    SystemClock clock;
    QtPrompts prompts;
    TMainForm window(platform, clock, prompts, startup, dateFormat);
    prompts.MainWindow = &window;
    window.show();
    return QApplication::exec();
}
