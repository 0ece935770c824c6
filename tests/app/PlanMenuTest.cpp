// Plan > Common Rotations and Plan > Preview Change chosen from the keyboard, and the real
// windows behind them.
#include "support/MainFormHarness.h"

#include "planningwindows/CommonRotationsDialog.h"
#include "planningwindows/RotationChangeDialog.h"
#include "rotation/EditRules.h"

#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

using namespace kestro;
using namespace kestro::test;

namespace {

const QString kClassic = QStringLiteral("ACABABABCBCACACABABCBCBC");

void ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        QTest::qFail("The window did not become active", __FILE__, __LINE__);
}

// Types a pattern and presses Enter, which makes the rotation without leaving the window.
void MakeFrom(CommonRotationsDialog& dialog, const QString& pattern) {
    TypeInto(dialog.pattern, pattern);
    QTest::keyClick(dialog.pattern, Qt::Key_Return);
}

} // namespace

class PlanMenuTest : public QObject {
    Q_OBJECT

private slots:
    void ACommonRotationIsTypedAndPreviewedBeforeItIsApplied() {
        FormRun run;
        TMainForm& form = run.StartClassic();
        MainFormAccess peek = Peek(form);
        const DayNumber start = peek.Settings.StartDay;

        run.prompts.ExpectCommonRotation(std::nullopt);
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_C);
        QVERIFY(!peek.SettingsModified);
        QCOMPARE(peek.eRotation->text(), kClassic);

        // Chosen: the fields change as if typed; the start date stays.
        run.prompts.ExpectCommonRotation(RotationFields{4, QStringLiteral("ABCD")});
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_C);
        QCOMPARE(peek.eNumPlt->text(), QStringLiteral("4"));
        QCOMPARE(peek.eRotDays->text(), QStringLiteral("4"));
        QCOMPARE(peek.eRotation->text(), QStringLiteral("ABCD"));
        QVERIFY(peek.SettingsModified);
        QCOMPARE(peek.Settings.ShiftRotation, QStringLiteral("ABCD"));
        QCOMPARE(peek.Settings.NumberOfPlatoons, 4);
        QCOMPARE(peek.Settings.StartDay, start);
        QCOMPARE(VisibleRowCaptions(form).size(), 4);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(peek.bApply));
        // The year summary still counts the rotation in force.
        run.prompts.ExpectYearSummary({false, 2024});
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_Y);
        QCOMPARE(run.prompts.summaries.value(0).settings.ShiftRotation, kClassic);

        // Previewed against the rotation in force, for a year from today (15 March 2024).
        run.prompts.ExpectRotationChange();
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_P);
        QCOMPARE(run.prompts.rotationChanges.size(), 1);
        const RotationChange& change = run.prompts.rotationChanges[0].change;
        QCOMPARE(change.before.rotation, kClassic);
        QCOMPARE(change.after.rotation, QStringLiteral("ABCD"));
        QCOMPARE(change.after.start, start);
        QCOMPARE(change.first, Day(15, 3, 2024));
        QCOMPARE(change.last, Day(14, 3, 2025));
        QCOMPARE(change.platoons.size(), std::size_t(4));
        QVERIFY(change.platoons[3].daysGained > 90);
        QCOMPARE(change.platoons[3].daysLost, 0);

        // Once applied, the same fields change nothing.
        QTest::keyClick(peek.bApply, Qt::Key_Space);
        run.prompts.ExpectRotationChange();
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_P);
        QCOMPARE(run.prompts.rotationChanges[1].change.changedDays, 0);

        // Fields Apply would refuse are refused the same way, without a preview.
        TypeInto(peek.eRotation, QStringLiteral("ABC"));
        run.prompts.ExpectMessage(ApplyLengthMismatchText);
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_P);
        run.prompts.VerifyAllShown();
    }

    void TheCommonRotationsWindowOffersNamedAndMadeRotations() {
        CommonRotationsDialog dialog(nullptr);
        ShowActive(dialog);
        QCOMPARE(dialog.rotations->rowCount(), int(CommonRotations().size()));
        QVERIFY(!dialog.use->isEnabled());

        // The Kelly schedule, clicked: its letters, and its pattern to start one's own from.
        QTableWidgetItem* kelly =
            dialog.rotations->findItems(QStringLiteral("Kelly schedule"), Qt::MatchExactly)
                .value(0);
        QVERIFY(kelly != nullptr);
        QTest::mouseClick(dialog.rotations->viewport(), Qt::LeftButton, {},
                          dialog.rotations->visualItemRect(kelly).center());
        QCOMPARE(dialog.chosen->rotation, QStringLiteral("ACABABCBC"));
        QCOMPARE(dialog.pattern->text(),
                 QStringLiteral("on, off, on, off, on, off, off, off, off"));
        QVERIFY(dialog.use->isEnabled());

        MakeFrom(dialog, QStringLiteral("on, on, off"));
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.chosen);
        QVERIFY(!dialog.use->isEnabled());
        QVERIFY(dialog.outcome->text().contains(QStringLiteral("two platoons")));

        QTest::keyClick(dialog.platoons, Qt::Key_Down);
        MakeFrom(dialog, QStringLiteral("on, off"));
        QCOMPARE(dialog.chosen->rotation, QStringLiteral("AB"));
        QCOMPARE(dialog.chosen->platoons, 2);
        QTest::keyClick(&dialog, Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void ThePreviewWindowShowsEachPlatoonOrThatNothingChanges() {
        const DayNumber jan1 = Day(1, 1, 2027);
        const RotationTerms abc{3, 3, QStringLiteral("ABC"), jan1};
        const RotationTerms acb{3, 3, QStringLiteral("ACB"), jan1};
        RotationChangeDialog changed(
            {CompareRotations(abc, acb, jan1, 1), DefaultShortDateFormat()}, nullptr);
        ShowActive(changed);
        QVERIFY(changed.heading->text().contains(QStringLiteral("Typed: ACB")));
        QCOMPARE(changed.platoons->rowCount(), 3);
        QCOMPARE(changed.platoons->item(1, 1)->text(), QStringLiteral("10"));
        QCOMPARE(changed.platoons->item(1, 5)->text(), QStringLiteral("1/2/2027"));
        QCOMPARE(changed.platoons->item(0, 5)->text(), QStringLiteral("-"));

        RotationChangeDialog same({CompareRotations(abc, abc, jan1, 12), DefaultShortDateFormat()},
                                  nullptr);
        ShowActive(same);
        QVERIFY(same.heading->text().endsWith(
            QStringLiteral("Nothing changes: every day keeps its platoon.")));
        QVERIFY(same.platoons->isHidden());
    }
};

QTEST_MAIN(PlanMenuTest)
#include "PlanMenuTest.moc"
