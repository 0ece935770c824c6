// The program on a real desktop, started for this test by desktop-session.sh: weston on Wayland
// (its protocol log shows what the compositor was told and asked) or an X server (xprop reads the
// windows' properties). Every window survives each state a desktop can put it in and keeps its
// layout, every dialog belongs to the window that opened it, and the program names itself as its
// installed menu entry does.

#include "support/MainFormHarness.h"

#include "app/QtPrompts.h"
#include "colordialog/SetColor.h"
#include "support/ModalAnswer.h"
#include "widgets/DesktopIdentity.h"
#include "widgets/MonthGrid.h"
#include "widgets/WindowStates.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QWindow>

using namespace kestro;
using namespace kestro::test;

namespace {

bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// What the program wrote to its standard error since `from`: on Wayland, the protocol.
QString ProtocolSince(qint64 from) {
    QFile log(qEnvironmentVariable("KESTRO_PROTOCOL_LOG"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    log.seek(from);
    return QString::fromUtf8(log.readAll());
}

qint64 ProtocolSize() {
    return QFileInfo(qEnvironmentVariable("KESTRO_PROTOCOL_LOG")).size();
}

// A property of an X window as xprop prints it.
QString XProperty(WId window, const char* name) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window), QString::fromLatin1(name)});
    xprop.waitForFinished(10000);
    return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
}

// The xdg_toplevel made for each window in a part of the protocol log, and whether it was given
// a parent.
QMap<QString, bool> ToplevelParents(const QString& protocol) {
    QMap<QString, bool> parents;
    static const QRegularExpression made(
        QStringLiteral(R"(get_toplevel\(new id (xdg_toplevel@\d+)\))"));
    static const QRegularExpression parent(
        QStringLiteral(R"((xdg_toplevel@\d+)\.set_parent\(xdg_toplevel@\d+\))"));
    for (auto it = made.globalMatch(protocol); it.hasNext();)
        parents[it.next().captured(1)] = false;
    for (auto it = parent.globalMatch(protocol); it.hasNext();)
        parents[it.next().captured(1)] = true;
    return parents;
}

// Asks for a state as Qt's title bar does, lets the desktop answer and the window draw a frame.
void AskState(QWidget& window, Qt::WindowStates state) {
    window.windowHandle()->setWindowStates(state);
    QTest::qWait(400);
    window.update();
    QTest::qWait(100);
}

struct StateRun {
    bool tookTheDesktopsSize = false; // while maximized, on Wayland
    bool layoutKept = true;
    QSize restored;
};

// Maximizes, restores, makes full screen, restores, minimizes and restores a window; `probe` is a
// control whose geometry must not change.
StateRun RunStates(QWidget& window, QWidget& probe) {
    StateRun run;
    const QRect designed = probe.geometry();
    AskState(window, Qt::WindowMaximized);
    run.tookTheDesktopsSize = window.width() > 600 && window.windowState() == Qt::WindowMaximized;
    run.layoutKept = probe.geometry() == designed;
    for (Qt::WindowState state : {Qt::WindowNoState, Qt::WindowFullScreen, Qt::WindowNoState,
                                  Qt::WindowMinimized, Qt::WindowNoState}) {
        AskState(window, state);
        run.layoutKept = run.layoutKept && probe.geometry() == designed;
    }
    QTest::qWait(400);
    run.restored = window.size();
    return run;
}

} // namespace

class DesktopSessionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FormRun> run;
    std::unique_ptr<QtPrompts> prompts;

    TMainForm& Start() {
        run->WriteSettings(ClassicSettings);
        run->form = std::make_unique<TMainForm>(run->platform, run->clock, *prompts,
                                                ReadCommandLine({}, run->platform),
                                                DefaultShortDateFormat());
        prompts->MainWindow = run->form.get();
        run->form->show();
        if (!QTest::qWaitForWindowExposed(run->form.get()))
            QTest::qFail("The main window was not shown", __FILE__, __LINE__);
        QTest::qWait(200);
        return *run->form;
    }

private slots:
    void initTestCase() {
        // As the program starts.
        WindowStates::Install();
        IdentifyToDesktop();
    }
    void init() {
        run = std::make_unique<FormRun>();
        prompts = std::make_unique<QtPrompts>();
    }
    void cleanup() {
        run.reset();
        prompts.reset();
    }

    void theProgramNamesItselfAsItsMenuEntry() {
        QFile entry(QStringLiteral(KESTRO_DESKTOP_FILE));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        const QString id = QFileInfo(entry.fileName()).completeBaseName();
        const QString wmClass =
            QRegularExpression(QStringLiteral("\nStartupWMClass=(.*)\n")).match(text).captured(1);
        QCOMPARE(QRegularExpression(QStringLiteral("\nIcon=(.*)\n")).match(text).captured(1), id);

        const QTemporaryDir home;
        QProcess kestro;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("1"));
        kestro.setProcessEnvironment(environment);
        kestro.setWorkingDirectory(home.path());
        kestro.start(QStringLiteral(KESTRO_EXECUTABLE), {});
        QVERIFY(kestro.waitForStarted());
        if (OnWayland()) {
            QString protocol;
            QTRY_VERIFY_WITH_TIMEOUT((protocol += QString::fromUtf8(kestro.readAllStandardError()))
                                         .contains(QStringLiteral("set_app_id")),
                                     30000);
            QVERIFY2(protocol.contains(QStringLiteral("set_app_id(\"%1\")").arg(id)),
                     qPrintable(protocol.section(QStringLiteral("set_app_id"), 1).left(60)));
        } else {
            QString found;
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    QProcess search;
                    search.start(QStringLiteral("xdotool"),
                                 {QStringLiteral("search"), QStringLiteral("--pid"),
                                  QString::number(kestro.processId())});
                    search.waitForFinished();
                    found = QString::fromUtf8(search.readAllStandardOutput()).trimmed();
                    return !found.isEmpty();
                }(),
                30000);
            const WId window = found.section(QLatin1Char('\n'), -1).toULongLong();
            QCOMPARE(XProperty(window, "WM_CLASS"),
                     QStringLiteral("WM_CLASS(STRING) = \"kestro\", \"%1\"").arg(wmClass));
            QVERIFY2(XProperty(window, "_NET_WM_ICON")
                         .startsWith(QStringLiteral("_NET_WM_ICON(CARDINAL) =")),
                     "the window has no icon");
        }
        kestro.kill();
        kestro.waitForFinished();
    }

    void theMainWindowTakesEveryStateAndKeepsItsLayout() {
        TMainForm& form = Start();
        const QSize designed = form.size();
        const QSize maximum = form.maximumSize();
        const StateRun states = RunStates(form, *Peek(form).dgCal);
        QCOMPARE(states.tookTheDesktopsSize, OnWayland());
        QVERIFY(states.layoutKept);
        QCOMPARE(states.restored, designed);
        QCOMPARE(form.maximumSize(), maximum);
        if (OnWayland())
            QVERIFY(ProtocolSince(0).contains(QStringLiteral(".configure(1600, ")));
    }

    void theSetColorDialogTakesEveryStateAndKeepsItsLayout() {
        TMainForm& form = Start();
        StateRun states;
        QSize designed;
        ModalAnswer tryStates(
            [&](QWidget* modal) {
                auto* dialog = qobject_cast<TColorDlg*>(modal);
                if (dialog == nullptr)
                    return false;
                designed = dialog->size();
                states = RunStates(*dialog, *dialog->cbColor);
                dialog->reject();
                return true;
            },
            60000);
        QTest::mouseClick(Peek(form).bPlt[0], Qt::LeftButton);
        QVERIFY(tryStates.answered);
        QCOMPARE(states.tookTheDesktopsSize, OnWayland());
        QVERIFY(states.layoutKept);
        QCOMPARE(states.restored, designed);
    }

    void everyDialogBelongsToTheWindowThatOpenedIt_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"bAPlt", "MHelpAbout", "MHelpContents", "MFilePrint",
                                    "MFileExportCalendar", "MFileOpen"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void everyDialogBelongsToTheWindowThatOpenedIt() {
        QFETCH(QString, command);
        TMainForm& form = Start();
        const qint64 before = ProtocolSize();
        QWindow* parent = nullptr;
        QString transientFor;
        ModalAnswer look([&](QWidget* modal) {
            if (!QTest::qWaitForWindowExposed(modal))
                return false;
            parent = modal->windowHandle()->transientParent();
            if (!OnWayland())
                transientFor = XProperty(modal->winId(), "WM_TRANSIENT_FOR");
            static_cast<QDialog*>(modal)->reject();
            return true;
        });
        if (auto* button = form.findChild<QPushButton*>(command))
            button->click();
        else
            form.findChild<QAction*>(command)->trigger();
        QVERIFY(look.answered);
        QCOMPARE(parent, form.windowHandle());
        if (OnWayland()) {
            const QMap<QString, bool> parents = ToplevelParents(ProtocolSince(before));
            QVERIFY(!parents.isEmpty());
            QVERIFY2(!parents.values().contains(false), qPrintable(parents.keys().join(u' ')));
        } else {
            QCOMPARE(transientFor, QStringLiteral("WM_TRANSIENT_FOR(WINDOW): window id # 0x%1")
                                       .arg(form.winId(), 0, 16));
        }
    }
};

QTEST_MAIN(DesktopSessionTest)
#include "DesktopSessionTest.moc"
