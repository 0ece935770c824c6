#include "sharing/DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>

namespace kestro {

QLabel* MakeProblemLabel(QDialog* dialog) {
    auto* problem = new QLabel(dialog);
    problem->setObjectName(QStringLiteral("problem"));
    problem->setStyleSheet(QStringLiteral("color: #b00000"));
    problem->setWordWrap(true);
    problem->hide();
    return problem;
}

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace kestro
