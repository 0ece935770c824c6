#include "planningwindows/CommonRotationsDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kestro {
namespace {

enum Column { NameColumn, PlatoonsColumn, DaysColumn, RotationColumn, DescriptionColumn };

QTableWidget* RotationTable(QWidget* parent) {
    const std::span<const CommonRotation> list = CommonRotations();
    auto* table = new QTableWidget(int(list.size()), 5, parent);
    table->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Platoons"),
                                      QStringLiteral("Days"), QStringLiteral("Rotation"),
                                      QStringLiteral("Description")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    for (int row = 0; row < int(list.size()); ++row) {
        const CommonRotation& r = list[std::size_t(row)];
        const QString rotation = QString::fromLatin1(r.rotation);
        const QStringList cells{QString::fromUtf8(r.name), QString::number(r.platoons),
                                QString::number(rotation.size()), rotation,
                                QString::fromUtf8(r.description)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

CommonRotationsDialog::CommonRotationsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Common Rotations"));
    rotations = RotationTable(this);
    rotations->setObjectName(QStringLiteral("rotations"));
    auto* rotationsLabel = new QLabel(QStringLiteral("&Rotations:"), this);
    rotationsLabel->setBuddy(rotations);

    pattern = new QLineEdit(this);
    pattern->setObjectName(QStringLiteral("pattern"));
    pattern->setPlaceholderText(QStringLiteral("on, off, off"));
    pattern->installEventFilter(this);
    auto* patternLabel = new QLabel(QStringLiteral("&One platoon works:"), this);
    patternLabel->setBuddy(pattern);
    platoons = new QSpinBox(this);
    platoons->setObjectName(QStringLiteral("platoons"));
    platoons->setRange(1, MostPlatoonsMade);
    platoons->setValue(3);
    auto* platoonsLabel = new QLabel(QStringLiteral("&Platoons:"), this);
    platoonsLabel->setBuddy(platoons);
    make = new QPushButton(QStringLiteral("&Make"), this);
    make->setObjectName(QStringLiteral("make"));
    make->setAutoDefault(false);
    outcome = new QLabel(QStringLiteral("Choose a rotation, or make one."), this);
    outcome->setObjectName(QStringLiteral("outcome"));
    outcome->setTextFormat(Qt::PlainText);
    outcome->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    use = buttons->addButton(QStringLiteral("&Use"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("use"));
    use->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(rotations, &QTableWidget::itemSelectionChanged, this, [this] { RowChosen(); });
    connect(rotations, &QTableWidget::cellDoubleClicked, this, [this] {
        if (chosen)
            accept();
    });
    connect(make, &QPushButton::clicked, this, [this] { Make(); });

    auto* maker = new QGridLayout;
    maker->addWidget(patternLabel, 0, 0);
    maker->addWidget(pattern, 0, 1);
    maker->addWidget(platoonsLabel, 0, 2);
    maker->addWidget(platoons, 0, 3);
    maker->addWidget(make, 0, 4);
    maker->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rotationsLabel);
    layout->addWidget(rotations, 1);
    layout->addLayout(maker);
    layout->addWidget(outcome);
    layout->addWidget(buttons);
    // Wide enough for every column, as far as the screen allows.
    const int columns = rotations->horizontalHeader()->length() + 2 * rotations->frameWidth() +
                        layout->contentsMargins().left() + layout->contentsMargins().right();
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const int room = screen != nullptr ? screen->availableGeometry().width() * 9 / 10 : columns;
    resize(std::max(560, std::min(columns + 8, room)), 380);
    rotations->setFocus();
}

bool CommonRotationsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the pattern makes the rotation for a look, rather than using the one chosen.
    if (watched == pattern && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Make();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CommonRotationsDialog::RowChosen() {
    const int row = rotations->currentRow();
    const std::span<const CommonRotation> list = CommonRotations();
    if (rotations->selectedItems().isEmpty() || row < 0 || row >= int(list.size()))
        return;
    const CommonRotation& r = list[std::size_t(row)];
    const QString rotation = QString::fromLatin1(r.rotation);
    // The pattern of platoon A, to start a rotation of one's own from.
    pattern->setText(OnOffPattern(rotation, QLatin1Char('A')));
    platoons->setValue(r.platoons);
    SetChosen(RotationFields{r.platoons, rotation}, QStringLiteral("%1: %2 (%3 days, %4 platoons).")
                                                        .arg(QString::fromUtf8(r.name), rotation)
                                                        .arg(rotation.size())
                                                        .arg(r.platoons));
}

void CommonRotationsDialog::Make() {
    const MadeRotation made = MakeRotation(pattern->text(), platoons->value());
    rotations->clearSelection();
    if (!made.error.isEmpty()) {
        SetChosen(std::nullopt, made.error);
        return;
    }
    SetChosen(RotationFields{platoons->value(), made.rotation},
              QStringLiteral("Made: %1 (%2 days, %3 platoons).")
                  .arg(made.rotation)
                  .arg(made.rotation.size())
                  .arg(platoons->value()));
}

void CommonRotationsDialog::SetChosen(std::optional<RotationFields> fields, const QString& text) {
    chosen = std::move(fields);
    outcome->setText(text);
    use->setEnabled(chosen.has_value());
}

std::optional<RotationFields> ChooseCommonRotation(QWidget* owner) {
    CommonRotationsDialog dialog(owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen;
}

} // namespace kestro
