#include "app/MainForm.h"

#include "export/YearCalendar.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace kestro {

void TMainForm::CreatePlanningMenu(QMenu* plan) {
    MPlanCommonRotations = plan->addAction(QStringLiteral("&Common Rotations..."));
    MPlanCommonRotations->setObjectName(QStringLiteral("MPlanCommonRotations"));
    connect(MPlanCommonRotations, &QAction::triggered, this, &TMainForm::MPlanCommonRotationsClick);
    MPlanPreviewChange = plan->addAction(QStringLiteral("&Preview Change..."));
    MPlanPreviewChange->setObjectName(QStringLiteral("MPlanPreviewChange"));
    connect(MPlanPreviewChange, &QAction::triggered, this, &TMainForm::MPlanPreviewChangeClick);
}

void TMainForm::MPlanCommonRotationsClick() {
    const std::optional<RotationFields> chosen = prompts_.ChooseCommonRotation();
    if (!chosen)
        return;
    // As if the user typed them: each field's change handler takes the text as an edit, and
    // nothing is applied until Apply Rotation.
    eNumPlt->setText(QString::number(chosen->platoons));
    eRotDays->setText(QString::number(chosen->rotation.size()));
    eRotation->setText(chosen->rotation);
    bApply->setFocus();
}

void TMainForm::MPlanPreviewChangeClick() {
    // The fields read as Apply Rotation reads them, into a copy: nothing is applied.
    ScheduleSettings typed = Settings;
    if (!ApplyFields(typed))
        return;
    if (const QString problem = RotationLengthProblem(typed); !problem.isEmpty()) {
        prompts_.ShowMessage(problem);
        return;
    }
    prompts_.ShowRotationChange(
        {CompareRotations(inForce_, TermsOf(typed), Today(), MonthsCompared), dateFormat_});
}

} // namespace kestro
