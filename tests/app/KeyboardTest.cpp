// The main window from the keyboard alone: access keys (Alt and a marked letter of a caption),
// access keys that a menu shares with a control, and opening a menu without leaving a field.

#include "support/MainFormHarness.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace kestro;
using namespace kestro::test;

namespace {

const QByteArray Abc3 = "[Shift Schedule]\nNumberOfPlatoons=3\nDaysInRotation=3\n"
                        "ShiftRotation=ABC\nStartDate=3/1/2024\n";
const QByteArray Digits4 = "[Shift Schedule]\nNumberOfPlatoons=4\nDaysInRotation=4\n"
                           "ShiftRotation=1234\nStartDate=3/1/2024\n";

// Longer than a pressed button takes to let go, so that a press shows in the log.
constexpr int PressTime = 250;

QString ShownCaption(const QAbstractButton* button) {
    return button->text().remove(QLatin1Char('&'));
}

} // namespace

class KeyboardTest : public FormTest {
    Q_OBJECT

    QStringList pressed; // the buttons pressed, by name

    // The window on a schedule, the color area shown or not, the focus in the rotation field; every
    // button press is logged.
    TMainForm& StartIn(const QByteArray& schedule, bool colorsShown) {
        run->WriteSettings(schedule);
        TMainForm& form = run->StartShown();
        if (colorsShown)
            QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        for (QPushButton* button : form.findChildren<QPushButton*>()) {
            connect(button, &QPushButton::clicked, this,
                    [this, button] { pressed.append(button->objectName()); });
        }
        QTest::mouseClick(Peek(form).eRotation, Qt::LeftButton);
        return form;
    }

    // Closes an open menu with Esc, and the menu bar that keeps the keyboard after it.
    static void CloseMenus() {
        if (QWidget* popup = QApplication::activePopupWidget())
            QTest::keyClick(popup, Qt::Key_Escape);
        if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget()))
            QTest::keyClick(bar, Qt::Key_Escape);
    }

    // Alt and the key, then checks one outcome: "press <button>", "focus <control>",
    // "menu <menu>" or "nothing". "alt" instead presses Alt alone, which hands the keyboard to
    // the menu bar.
    void AltKeyDoes(TMainForm& form, Qt::Key key, const QString& outcome) {
        const QStringList words = outcome.split(QLatin1Char(' '));
        const QString& what = words.at(0);
        const QString name = words.value(1);
        if (what == QLatin1String("alt")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
            QVERIFY(qobject_cast<QMenuBar*>(QApplication::focusWidget()) != nullptr);
            return;
        }
        QWidget* focusBefore = QApplication::focusWidget();
        const QString rotation = Peek(form).eRotation->text();
        if (what == QLatin1String("press") && name.endsWith(QLatin1String("Plt"))) {
            const auto* button = form.findChild<QPushButton*>(name);
            run->prompts.ExpectColors(ShownCaption(button) + QStringLiteral(" Color:"), {});
        }
        pressed.clear();
        QTest::keyClick(focusBefore, key, Qt::AltModifier);
        QTest::qWait(PressTime);
        const QString step = outcome + QStringLiteral(" after ") + run->prompts.shown.join(u',');
        if (what == QLatin1String("press")) {
            QVERIFY2(pressed == QStringList{name}, qPrintable(step + pressed.join(u',')));
        } else {
            QVERIFY2(pressed.isEmpty(), qPrintable(step + pressed.join(u',')));
        }
        if (what == QLatin1String("focus")) {
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        } else if (what == QLatin1String("menu")) {
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY2(popup != nullptr, qPrintable(step));
            QCOMPARE(popup->objectName(), name);
            // Opened as from the keyboard: on its first item.
            QCOMPARE(static_cast<QMenu*>(popup)->activeAction(),
                     static_cast<QMenu*>(popup)->actions().value(0));
            CloseMenus();
            QCOMPARE(QApplication::focusWidget(), Peek(form).eRotation);
        } else if (what == QLatin1String("nothing")) {
            QCOMPARE(QApplication::focusWidget(), focusBefore);
            QVERIFY(QApplication::activePopupWidget() == nullptr);
        }
        // An access key is never typed into the field.
        QCOMPARE(Peek(form).eRotation->text(), rotation);
    }

    // A table row: the window on a schedule, the color area shown or not, perhaps a menu added to
    // the menu bar, and the outcomes of pressing Alt and the key again and again.
    static void Row(const char* name, const QByteArray& schedule, bool shown, const char* added,
                    Qt::Key key, const char* outcomes) {
        QTest::newRow(name) << schedule << shown << QString::fromLatin1(added) << int(key)
                            << QString::fromLatin1(outcomes).split(QStringLiteral(", "));
    }
    static void OutcomeColumns() {
        QTest::addColumn<QByteArray>("schedule");
        QTest::addColumn<bool>("colorsShown");
        QTest::addColumn<QString>("addedMenu");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("outcomes");
    }
    void RunOutcomes() {
        QFETCH(QByteArray, schedule);
        QFETCH(bool, colorsShown);
        QFETCH(QString, addedMenu);
        QFETCH(int, key);
        QFETCH(QStringList, outcomes);
        TMainForm& form = StartIn(schedule, colorsShown);
        if (!addedMenu.isEmpty()) {
            QMenu* menu = form.menuBar()->addMenu(addedMenu);
            menu->setObjectName(QStringLiteral("M") + QString(addedMenu).remove(u'&'));
            menu->addAction(QStringLiteral("&One"));
        }
        for (const QString& outcome : outcomes) {
            AltKeyDoes(form, Qt::Key(key), outcome);
            if (QTest::currentTestFailed())
                return;
        }
    }

private slots:
    void init() {
        FormTest::init();
        pressed.clear();
    }
    void cleanup() {
        CloseMenus();
        FormTest::cleanup();
    }

    // Every marked letter is an access key; only controls in view take it; one control takes
    // it by being pressed, several by the focus moving among them in tab order.
    void AccessKeysActOnControlsInView_data() {
        OutcomeColumns();
        Row("hidden, A presses Apply Rotation", Abc3, false, "", Qt::Key_A,
            "press bApply, press bApply");
        Row("hidden, T presses Today", Abc3, false, "", Qt::Key_T, "press bToday");
        Row("hidden, B Platoon out of view", Abc3, false, "", Qt::Key_B, "nothing");
        Row("hidden, no caption has Q", Abc3, false, "", Qt::Key_Q, "nothing");
        Row("shown, A moves between Apply and A Platoon", Abc3, true, "", Qt::Key_A,
            "focus bApply, focus bAPlt, focus bApply");
        Row("shown, C presses C Platoon", Abc3, true, "", Qt::Key_C, "press bCPlt");
        Row("shown, D beyond three platoons", Abc3, true, "", Qt::Key_D, "nothing");
        Row("shown, 4 presses Platoon 4", Digits4, true, "", Qt::Key_4, "press bDPlt");
    }
    void AccessKeysActOnControlsInView() { RunOutcomes(); }

    // A letter that a menu of the menu bar shares with a control goes to the control while one
    // is in view, to the menu otherwise; menus added later follow the same rule.
    void ControlsInViewComeBeforeMenus_data() {
        OutcomeColumns();
        Row("H presses Hide Colors, then opens Help", Abc3, true, "", Qt::Key_H,
            "press bColors, menu MHelp");
        Row("H opens Help while colors are hidden", Abc3, false, "", Qt::Key_H,
            "menu MHelp, menu MHelp");
        Row("a new menu B opens while B Platoon is out of view", Abc3, false, "&Bonus", Qt::Key_B,
            "menu MBonus");
        Row("menu bar active: H opens Help", Abc3, true, "", Qt::Key_H, "alt, menu MHelp");
        Row("menu bar active: B Platoon out of view", Abc3, false, "", Qt::Key_B, "alt, nothing");
        Row("a new menu B waits while B Platoon is in view", Abc3, true, "&Bonus", Qt::Key_B,
            "press bBPlt");
    }
    void ControlsInViewComeBeforeMenus() { RunOutcomes(); }

    // Opening a menu, by keyboard or mouse, does not leave the rotation field; its exit (capitals)
    // comes only when the focus moves to another control.
    void OpeningAMenuStaysInTheField_data() {
        QTest::addColumn<bool>("byKeyboard");
        QTest::addColumn<int>("menu");          // 0 File, 1 Help
        QTest::addColumn<bool>("leaveByClick"); // click into Number of Platoons, else Tab
        QTest::newRow("File by keyboard") << true << 0 << false;
        QTest::newRow("Help by mouse") << false << 1 << false;
        QTest::newRow("File by keyboard, then a click") << true << 0 << true;
        QTest::newRow("Help by mouse, then a click") << false << 1 << true;
    }
    void OpeningAMenuStaysInTheField() {
        QFETCH(bool, byKeyboard);
        QFETCH(int, menu);
        QFETCH(bool, leaveByClick);
        TMainForm& form = StartIn(Abc3, false);
        QLineEdit* field = Peek(form).eRotation;
        TypeInto(field, QStringLiteral("cab"));
        QAction* title = form.menuBar()->actions().at(menu);
        if (byKeyboard) {
            QTest::keyClick(field, menu == 0 ? Qt::Key_F : Qt::Key_H, Qt::AltModifier);
        } else {
            QTest::mouseClick(form.menuBar(), Qt::LeftButton, {},
                              form.menuBar()->actionGeometry(title).center());
        }
        QTRY_COMPARE(QApplication::activePopupWidget(), title->menu());
        if (leaveByClick) {
            // The menu bar keeps the keyboard after Esc closes the menu.
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QCOMPARE(field->text(), QStringLiteral("cab"));
            QTest::mouseClick(Peek(form).eNumPlt, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), Peek(form).eNumPlt);
        } else {
            CloseMenus();
            QCOMPARE(QApplication::focusWidget(), field);
            QCOMPARE(field->text(), QStringLiteral("cab"));
            QTest::keyClick(field, Qt::Key_Tab);
        }
        QCOMPARE(field->text(), QStringLiteral("CAB"));
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
