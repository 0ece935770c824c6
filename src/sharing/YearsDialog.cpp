#include "sharing/YearsDialog.h"

#include "sharing/DialogParts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kestro {
namespace {

QSpinBox* YearBox(int year, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(FirstCalendarYear, LastCalendarYear);
    box->setValue(year);
    return box;
}

} // namespace

YearsDialog::YearsDialog(const YearsDialogRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(request.title);
    firstYear = YearBox(request.years.first, this);
    firstYear->setObjectName(QStringLiteral("firstYear"));
    lastYear = YearBox(request.years.last, this);
    lastYear->setObjectName(QStringLiteral("lastYear"));
    // A first year after the last moves the last along, and the other way round.
    connect(firstYear, &QSpinBox::valueChanged, this, [this](int year) {
        if (lastYear->value() < year)
            lastYear->setValue(year);
    });
    connect(lastYear, &QSpinBox::valueChanged, this, [this](int year) {
        if (firstYear->value() > year)
            firstYear->setValue(year);
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&First year:"), firstYear);
    form->addRow(QStringLiteral("&Last year:"), lastYear);
    auto* note = new QLabel(QStringLiteral("One page for each year."), this);
    problem = MakeProblemLabel(this);
    auto* buttons = MakeOkCancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(problem);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    firstYear->setFocus();
    firstYear->selectAll();
}

YearRange YearsDialog::Years() const {
    return {firstYear->value(), lastYear->value()};
}

void YearsDialog::accept() {
    const QString why = YearRangeProblem(Years());
    problem->setText(why);
    problem->setVisible(!why.isEmpty());
    if (why.isEmpty())
        QDialog::accept();
}

std::optional<YearRange> AskYears(QWidget* owner, const YearsDialogRequest& request) {
    YearsDialog dialog(request, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Years();
}

} // namespace kestro
