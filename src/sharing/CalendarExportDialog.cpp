#include "sharing/CalendarExportDialog.h"

#include "sharing/DialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestro {
namespace {

constexpr int PlatoonsPerRow = 6;

QLineEdit* Field(const QString& text, const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    return field;
}

} // namespace

CalendarExportDialog::CalendarExportDialog(const CalendarExportRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle(QStringLiteral("Export Calendar"));
    // The platoons' access keys are their letters; the fields' keys are letters no platoon has.
    auto* platoonGrid = new QGridLayout;
    for (qsizetype i = 0; i < request.platoons.size(); ++i) {
        auto* box = new QCheckBox(QStringLiteral("Platoon &%1").arg(request.platoons[i]), this);
        box->setObjectName(QStringLiteral("platoon") + request.platoons[i]);
        box->setChecked(true);
        platoonGrid->addWidget(box, int(i) / PlatoonsPerRow, int(i) % PlatoonsPerRow);
        platoons.push_back(box);
    }
    from = Field(request.fromText, QStringLiteral("from"), this);
    until = Field(request.untilText, QStringLiteral("until"), this);
    until->setPlaceholderText(QStringLiteral("none: repeats forever"));
    eventText = Field(request.eventText, QStringLiteral("eventText"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Platoons:"), platoonGrid);
    form->addRow(QStringLiteral("Fro&m:"), from);
    form->addRow(QStringLiteral("&Until:"), until);
    form->addRow(QStringLiteral("Event &text:"), eventText);
    oneDayEvents = new QCheckBox(QStringLiteral("&Separate event for each day"), this);
    oneDayEvents->setObjectName(QStringLiteral("oneDayEvents"));
    oneDayEvents->setToolTip(QStringLiteral("For calendar programs that show only the first day "
                                            "of an event that lasts several days"));
    form->addRow(QString(), oneDayEvents);
    auto* hint = new QLabel(QStringLiteral("Dates as %1 or yyyy-mm-dd. In the event text, "
                                           "{letter} stands for the platoon's letter.")
                                .arg(request.format.pattern),
                            this);
    hint->setWordWrap(true);
    problem = MakeProblemLabel(this);
    auto* buttons = MakeOkCancel(this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Export..."));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(problem);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

CalendarExportForm CalendarExportDialog::Form() const {
    CalendarExportForm form;
    for (std::size_t i = 0; i < platoons.size(); ++i) {
        if (platoons[i]->isChecked())
            form.platoons.append(request_.platoons[qsizetype(i)]);
    }
    form.fromText = from->text();
    form.untilText = until->text();
    form.eventText = eventText->text();
    form.oneDayEvents = oneDayEvents->isChecked();
    return form;
}

void CalendarExportDialog::accept() {
    const CalendarExportReading reading = ReadCalendarExportForm(Form(), request_);
    problem->setText(reading.error);
    problem->setVisible(!reading.error.isEmpty());
    choice = reading.choice;
    if (choice)
        QDialog::accept();
}

std::optional<CalendarExportChoice> AskCalendarExport(QWidget* owner,
                                                      const CalendarExportRequest& request) {
    CalendarExportDialog dialog(request, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice;
}

} // namespace kestro
