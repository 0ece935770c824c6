// The real modal windows behind the main window's commands: the Set Color dialog, the help viewer
// and the About box, each opened from the window as the user opens it and answered by a timer
// (support/ModalAnswer.h), which closes every window it does not expect, so that none waits.

#include "support/MainFormHarness.h"

#include "app/QtPrompts.h"
#include "colordialog/SetColor.h"
#include "helpwindows/About.h"
#include "helpwindows/HelpViewer.h"
#include "planningwindows/CommonRotationsDialog.h"
#include "support/ModalAnswer.h"
#include "support/Windows.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

using namespace kestro;
using namespace kestro::test;

namespace {

const QByteArray NavySchedule = "[Shift Schedule]\n"
                                "NumberOfPlatoons=3\n"
                                "DaysInRotation=3\n"
                                "ShiftRotation=ABC\n"
                                "StartDate=3/1/2024\n"
                                "[Colors]\n"
                                "APlt=Navy\nAInv=Yellow\n";

} // namespace

class QtPromptsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FormRun> run;
    std::unique_ptr<QtPrompts> prompts;

    // The window on the real prompts, as the program starts it.
    TMainForm& Start() {
        run->form = std::make_unique<TMainForm>(run->platform, run->clock, *prompts,
                                                ReadCommandLine({}, run->platform),
                                                DefaultShortDateFormat());
        prompts->MainWindow = run->form.get();
        run->form->show();
        QApplication::setActiveWindow(run->form.get());
        if (!QTest::qWaitForWindowActive(run->form.get()))
            QTest::qFail("The main window did not become active", __FILE__, __LINE__);
        return *run->form;
    }

private slots:
    void init() {
        run = std::make_unique<FormRun>();
        prompts = std::make_unique<QtPrompts>();
    }
    void cleanup() {
        if (HelpViewer* viewer = OnlyWindow<HelpViewer>())
            delete viewer;
        run.reset();
        prompts.reset();
    }

    void APlatoonButtonOpensTheSetColorDialog() {
        run->WriteSettings(NavySchedule);
        TMainForm& form = Start();
        // The dialog is made at the first color command.
        QVERIFY(OnlyWindow<TColorDlg>() == nullptr);
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        QString label;
        ModalAnswer pick([&](QWidget* modal) {
            auto* colorDlg = qobject_cast<TColorDlg*>(modal);
            if (colorDlg == nullptr)
                return false;
            label = colorDlg->lblColor->text();
            // One entry down from Navy is Purple.
            QTest::keyClick(colorDlg->cbColor, Qt::Key_Down);
            QTest::mouseClick(colorDlg->bOk, Qt::LeftButton);
            return true;
        });
        QTest::mouseClick(Peek(form).bPlt[0], Qt::LeftButton);
        QVERIFY(pick.answered);
        QCOMPARE(pick.unexpected, 0);
        QCOMPARE(label, QStringLiteral("A Platoon Color:"));
        QCOMPARE(Peek(form).Settings.PlatoonColors[u'A'], (ColorPair{0x800080, 0x00FFFF}));
        QCOMPARE(Peek(form).lColor->text(), QStringLiteral("A Platoon: Purple / Yellow"));
        QVERIFY(OnlyWindow<TColorDlg>() != nullptr);
        QVERIFY(!OnlyWindow<TColorDlg>()->isVisible());
    }

    void HelpContentsOpensTheBuiltHelpFile() {
        const QString helpFile = QStringLiteral(KESTRO_HELP_FILE);
        QVERIFY(QFileInfo(helpFile).isFile());
        run->platform.programFile = QFileInfo(helpFile).path() + QStringLiteral("/kestro");
        TMainForm& form = Start();
        const ModalAnswer noMessage;
        ChooseMenuItem(form, Qt::Key_H, Qt::Key_C);
        QCOMPARE(noMessage.unexpected, 0);
        HelpViewer* viewer = OnlyWindow<HelpViewer>();
        QVERIFY(viewer != nullptr);
        QCOMPARE(viewer->helpFile(), helpFile);
        QCOMPARE(viewer->parentWidget(), &form);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->contentsTree->topLevelItemCount() > 0);
    }

    void HelpContentsWithoutAHelpFileSaysSo() {
        TMainForm& form = Start();
        QString title;
        QString text;
        ModalAnswer ok([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr)
                return false;
            title = box->windowTitle();
            text = box->text();
            box->button(QMessageBox::Ok)->click();
            return true;
        });
        ChooseMenuItem(form, Qt::Key_H, Qt::Key_C);
        QVERIFY(ok.answered);
        QCOMPARE(ok.unexpected, 0);
        QCOMPARE(title, QStringLiteral("Kestro"));
        QCOMPARE(text, QStringLiteral("Unable to open Help file"));
        QVERIFY(OnlyWindow<HelpViewer>() == nullptr);
    }

    void AboutShowsTheAboutBoxOverTheMainWindow() {
        TMainForm& form = Start();
        QWidget* parent = nullptr;
        QString caption;
        ModalAnswer close([&](QWidget* modal) {
            auto* box = qobject_cast<TAboutBox*>(modal);
            if (box == nullptr)
                return false;
            parent = box->parentWidget();
            caption = box->windowTitle();
            QTest::mouseClick(box->OKButton, Qt::LeftButton);
            return true;
        });
        ChooseMenuItem(form, Qt::Key_H, Qt::Key_A);
        QVERIFY(close.answered);
        QCOMPARE(close.unexpected, 0);
        QCOMPARE(parent, &form);
        QCOMPARE(caption, QStringLiteral("About Kestro"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // Through the real window: the row picked there reaches the fields.
    void CommonRotationsOpensOverTheMainWindowAndFillsTheFields() {
        TMainForm& form = Start();
        QWidget* parent = nullptr;
        ModalAnswer use([&](QWidget* modal) {
            auto* dialog = qobject_cast<CommonRotationsDialog*>(modal);
            if (dialog == nullptr)
                return false;
            parent = dialog->parentWidget();
            dialog->rotations->selectRow(1);
            QTest::mouseClick(dialog->use, Qt::LeftButton);
            return true;
        });
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_C);
        QVERIFY(use.answered);
        QCOMPARE(use.unexpected, 0);
        QCOMPARE(parent, &form);
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("AABBCC"));
    }

    // Enter on the button of the Exit question that has the focus presses it, as in the Set Color
    // dialog (setcolor_tests) and the About box (about_box_tests).
    void EnterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes") << QStringLiteral("Yes") << true;
        QTest::newRow("No") << QStringLiteral("No") << false;
    }
    void EnterPressesTheFocusedButton() {
        QFETCH(QString, button);
        QFETCH(bool, saved);
        run->WriteSettings(NavySchedule);
        TMainForm& form = Start();
        bool stayedOpen = false;
        ModalAnswer enter([&](QWidget* modal) {
            QPushButton* target = nullptr;
            for (QPushButton* candidate : modal->findChildren<QPushButton*>()) {
                if (candidate->text().remove(u'&') == button)
                    target = candidate;
            }
            if (target == nullptr)
                return false;
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Enter);
            stayedOpen = modal->isVisible();
            if (stayedOpen)
                static_cast<QDialog*>(modal)->reject();
            return true;
        });
        TypeInto(Peek(form).eRotation, QStringLiteral("CBA"));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_X);
        QVERIFY(enter.answered);
        QVERIFY(!stayedOpen);
        QCOMPARE(ReadBytes(run->SettingsFile()).contains("ShiftRotation=CBA"), saved);
    }
};

QTEST_MAIN(QtPromptsTest)
#include "QtPromptsTest.moc"
