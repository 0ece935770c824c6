#pragma once

#include "help/Jpeg.h"
#include "widgets/Panel.h"

#include <QByteArray>
#include <QDialog>
#include <QImage>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace kestro {

// The texts of the About box.
inline const QString AboutCaption = QStringLiteral("About Kestro");
inline const QString AboutProduct = QStringLiteral("Kestro Setup Utility");
inline const QString AboutMaker = QStringLiteral("Made by the Kestro project");
inline const QString AboutSupport = QStringLiteral("Support: support@kestro.invalid");
inline const QString AboutCopyright = QStringLiteral("Copyright \u00A9 2026 the Kestro developers");
inline const QString AboutRights = QStringLiteral("All rights reserved.");
inline const QString AboutWebSite = QStringLiteral("https://kestro.invalid");

// "Version " and the program's version number.
QString AboutVersion();

// A decoded picture as a QImage; a null image when the bytes do not match the size.
QImage ToQImage(const RgbImage& picture);

// A picture stretched to fill the control. Draws nothing when it holds no picture.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

// The About box. Every box starts with the texts above; a double-click on the picture swaps
// the maker, copyright and rights lines for the web site address until the box closes.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // pictureJpeg: the picture to show; the program's own About picture unless a test gives
    // another. A picture that cannot be decoded leaves the picture's frame empty.
    explicit TAboutBox(QWidget* parent = nullptr);
    TAboutBox(QWidget* parent, const QByteArray& pictureJpeg);

    Panel* pAbout;
    PictureBox* ProgramIcon;
    QLabel* lblProduct;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QLabel* lblSupport;
    QLabel* lblComments;
    QLabel* lblComment2;
    QPushButton* OKButton;

    void ProgramIconDblClick();
    void OKButtonClick();
    // Esc on the OK button closes the box; true when the key was used.
    bool OKButtonKeyDown(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Creates a new About box, shows it modally over parent and destroys it when it closes.
void ShowAboutBox(QWidget* parent);

} // namespace kestro
