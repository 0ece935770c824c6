#include "colordialog/SetColor.h"

#include "colors/ColorPickList.h"
#include "widgets/ColorToQColor.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace kestro {
namespace {

constexpr QPoint kOpeningPosition(432, 179);
constexpr QSize kSwatchSize(16, 12);

// The layout is in pixels at an 11-pixel sans-serif face and does not scale with the desktop's
// text size.
QFont DialogFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry) {
    auto* label = new QLabel(QStringLiteral("!"), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* MakePanel(QWidget* parent, const char* name, QRect geometry) {
    auto* panel = MakeLabel(parent, name, geometry);
    panel->setText(QStringLiteral("?"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QFont bold = DialogFont();
    bold.setBold(true);
    panel->setFont(bold);
    return panel;
}

QComboBox* MakePickList(QWidget* parent, const char* name, QRect geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    list->setIconSize(kSwatchSize);
    // A plain drop-down list under the box, eight entries high, rather than a menu over it that
    // some styles stretch over the whole screen for fifty entries.
    list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    list->setMaxVisibleItems(8);
    list->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const PickListEntry& entry : PickListEntries())
        list->addItem(QLatin1String(entry.name), QVariant::fromValue(entry.color));
    return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    // Neither button is the default button, not even after having the focus: Enter presses a
    // button only while the button has the focus (eventFilter).
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// A swatch of the color in a black frame; the same picture whether the entry is selected or not.
QIcon SwatchIcon(const QColor& color) {
    QPixmap pixmap(kSwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect(), color);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    painter.end();
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    icon.addPixmap(pixmap, QIcon::Active);
    return icon;
}

void SetPanelFill(QLabel* panel, const QColor& fill) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, fill);
    panel->setPalette(palette);
}

void SetPanelCaptionColor(QLabel* panel, const QColor& caption) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, caption);
    panel->setPalette(palette);
}

// A label sized to its text, as the captions over the pick lists are.
void SetSizedText(QLabel* label, const QString& text) {
    label->setText(text);
    label->resize(label->fontMetrics().horizontalAdvance(text), label->height());
}

std::optional<int> CurrentEntry(const QComboBox* list) {
    const int index = list->currentIndex();
    if (index < 0)
        return std::nullopt;
    return index;
}

} // namespace

TColorDlg::TColorDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ColorDlg"));
    setWindowTitle(QStringLiteral("Set Color"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(DialogFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setFixedSize(178, 209);

    lblPCol = MakeLabel(this, "lblPCol", {8, 8, 73, 13});
    lblPCol->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblPInv = MakeLabel(this, "lblPInv", {88, 8, 89, 13});
    lblPInv->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    pColor = MakePanel(this, "pColor", {16, 24, 57, 33});
    pInverse = MakePanel(this, "pInverse", {104, 24, 57, 33});
    lblColor = MakeLabel(this, "lblColor", {16, 72, 4, 13});
    cbColor = MakePickList(this, "cbColor", {16, 88, 145, 22});
    lblInverse = MakeLabel(this, "lblInverse", {16, 120, 4, 13});
    cbInverse = MakePickList(this, "cbInverse", {16, 136, 145, 22});
    bOk = MakeButton(this, "bOk", QStringLiteral("&Ok"), {16, 176, 65, 25});
    bCancel = MakeButton(this, "bCancel", QStringLiteral("&Cancel"), {96, 176, 65, 25});
    PaintSwatches();
    // The drop-down part is as wide as the longest name, even where the box cuts names short.
    for (QComboBox* list : {cbColor, cbInverse}) {
        QAbstractItemView* view = list->view();
        view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                              style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    }

    setTabOrder(cbColor, cbInverse);
    setTabOrder(cbInverse, bOk);
    setTabOrder(bOk, bCancel);

    // Only the user's choice counts as a change; selections made by the program do not.
    connect(cbColor, &QComboBox::activated, this, &TColorDlg::cbColorChange);
    connect(cbInverse, &QComboBox::activated, this, &TColorDlg::cbInverseChange);
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
    bOk->installEventFilter(this);
    bCancel->installEventFilter(this);

    move(kOpeningPosition);
    // The focus the dialog opens with the first time; later it opens where the user left it.
    bCancel->setFocus();
}

ColorDialogResult TColorDlg::Execute(const ColorDialogRequest& request) {
    // The dialog is modal, so a second request while it is open can only be a mistake: it is
    // answered as cancelled rather than opening the dialog inside itself.
    if (isVisible())
        return {};
    Fill(request);
    PlaceOnScreen();
    const bool ok = exec() == QDialog::Accepted;
    return {ok, SelectionColor(CurrentEntry(cbColor)), SelectionColor(CurrentEntry(cbInverse))};
}

void TColorDlg::Fill(const ColorDialogRequest& request) {
    PaintSwatches();
    lblPCol->setText(request.normalHeading);
    lblPInv->setText(request.inverseHeading);
    pColor->setText(request.normalCaption);
    PaintPanel(pColor, request.normalFill, request.normalCaptionColor);
    pInverse->setText(request.inverseCaption);
    PaintPanel(pInverse, request.inverseFill, request.inverseCaptionColor);
    SetSizedText(lblColor, request.normalListLabel);
    SetSizedText(lblInverse, request.inverseListLabel);
    // Screen readers name the lists by their labels (on Linux Qt gives a list's label as its
    // labelled-by relation, and its value as its name).
    lblColor->setBuddy(cbColor);
    lblInverse->setBuddy(cbInverse);
    cbColor->setAccessibleName(QString(request.normalListLabel).remove(QLatin1Char('&')));
    cbInverse->setAccessibleName(QString(request.inverseListLabel).remove(QLatin1Char('&')));
    cbColor->setCurrentIndex(SelectionIndexOf(request.normalSelection).value_or(-1));
    cbInverse->setCurrentIndex(SelectionIndexOf(request.inverseSelection).value_or(-1));
}

void TColorDlg::cbColorChange(int index) {
    const std::optional<ColorValue> picked = SelectionColor(index);
    if (!picked)
        return;
    const QColor color = ColorToQColor(*picked);
    SetPanelCaptionColor(pColor, color);
    SetPanelFill(pInverse, color);
}

void TColorDlg::cbInverseChange(int index) {
    const std::optional<ColorValue> picked = SelectionColor(index);
    if (!picked)
        return;
    SetPanelCaptionColor(pInverse, ColorToQColor(*picked));
}

bool TColorDlg::bCancelKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    reject();
    return true;
}

bool TColorDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != bOk && watched != bCancel))
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
    if (watched == bCancel && bCancelKeyDown(key))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TColorDlg::keyPressEvent(QKeyEvent* event) {
    // Esc closes the dialog only from the Cancel button (bCancelKeyDown).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TColorDlg::PaintSwatches() {
    const std::span<const PickListEntry> entries = PickListEntries();
    for (QComboBox* list : {cbColor, cbInverse}) {
        for (int i = 0; i < list->count() && i < int(entries.size()); ++i)
            list->setItemIcon(i, SwatchIcon(ColorToQColor(entries[std::size_t(i)].color)));
    }
}

void TColorDlg::PaintPanel(QLabel* panel, ColorValue fill, ColorValue caption) {
    SetPanelFill(panel, ColorToQColor(fill));
    SetPanelCaptionColor(panel, ColorToQColor(caption));
}

void TColorDlg::PlaceOnScreen() {
    // Where the opening position would put part of the dialog off the screen, it moves just
    // enough to be seen whole.
    const QScreen* target = QGuiApplication::screenAt(pos());
    if (target == nullptr)
        target = screen();
    if (target == nullptr)
        return;
    const QRect area = target->availableGeometry();
    const QRect frame(pos(), frameGeometry().size());
    QPoint place = frame.topLeft();
    place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - frame.width())));
    place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - frame.height())));
    if (place != frame.topLeft())
        move(place);
}

} // namespace kestro
