#include "helpwindows/About.h"

#include "help/AboutPicture.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace kestro {

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                  int width, int height) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(left, top, width, height);
    // Text at the top of the label, as the layout's pixel positions assume.
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

} // namespace

QString AboutVersion() {
    return u"Version "_s + QStringLiteral(KESTRO_VERSION);
}

QImage ToQImage(const RgbImage& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != qsizetype(picture.width) * picture.height * 3)
        return {};
    const QImage view(reinterpret_cast<const uchar*>(picture.rgb.constData()), picture.width,
                      picture.height, qsizetype(picture.width) * 3, QImage::Format_RGB888);
    return view.copy(); // QImage rows are padded; the copy owns its own, padded memory
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

TAboutBox::TAboutBox(QWidget* parent) : TAboutBox(parent, AboutPictureJpeg()) {}

TAboutBox::TAboutBox(QWidget* parent, const QByteArray& pictureJpeg)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(AboutCaption);
    QFont font(u"Sans Serif"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(298, 228);

    setObjectName(u"AboutBox"_s);
    pAbout = new Panel(Panel::Bevel::LoweredOuterRaisedInner, Qt::AlignCenter, this);
    pAbout->setObjectName(u"pAbout"_s);
    pAbout->setGeometry(8, 8, 281, 177);

    ProgramIcon = new PictureBox(pAbout);
    ProgramIcon->setObjectName(u"ProgramIcon"_s);
    ProgramIcon->setGeometry(8, 8, 121, 81);
    const JpegDecodeResult picture = DecodeJpeg(pictureJpeg);
    if (picture.ok())
        ProgramIcon->setImage(ToQImage(picture.image));
    connect(ProgramIcon, &PictureBox::doubleClicked, this, &TAboutBox::ProgramIconDblClick);

    lblProduct = MakeLabel(pAbout, u"lblProduct"_s, AboutProduct, 136, 24, 137, 13);
    lblVersion = MakeLabel(pAbout, u"lblVersion"_s, AboutVersion(), 136, 56, 137, 13);
    lblCopyright = MakeLabel(pAbout, u"lblCopyright"_s, AboutMaker, 8, 96, 265, 17);
    lblSupport = MakeLabel(pAbout, u"lblSupport"_s, AboutSupport, 8, 112, 265, 13);
    lblComments = MakeLabel(pAbout, u"lblComments"_s, AboutCopyright, 8, 136, 265, 25);
    lblComments->setWordWrap(true);
    lblComment2 = MakeLabel(pAbout, u"lblComment2"_s, AboutRights, 8, 152, 265, 25);

    OKButton = new QPushButton(u"OK"_s, this);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setGeometry(111, 196, 75, 25);
    OKButton->setDefault(true);
    OKButton->installEventFilter(this);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    OKButton->setFocus();

    // Centred on the screen, not on the parent window.
    QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TAboutBox::ProgramIconDblClick() {
    lblCopyright->clear();
    lblComments->setText(AboutWebSite);
    lblComment2->clear();
}

void TAboutBox::OKButtonClick() {
    accept();
}

bool TAboutBox::OKButtonKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    reject();
    return true;
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == OKButton && event->type() == QEvent::KeyPress &&
        OKButtonKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void ShowAboutBox(QWidget* parent) {
    QPointer<TAboutBox> box = new TAboutBox(parent);
    // Destroyed when it closes, also when showing it fails; the parent may have taken it already.
    const auto destroy = qScopeGuard([&box] { delete box.data(); });
    box->exec();
}

} // namespace kestro
