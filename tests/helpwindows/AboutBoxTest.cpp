#include "helpwindows/About.h"

#include "help/AboutPicture.h"
#include "support/ModalAnswer.h"
#include "support/Pixels.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
using namespace kestro;
using kestro::test::ModalAnswer;
using kestro::test::PixelsNear;

namespace {

// Runs ShowAboutBox and, while its box is open, hands the box to whileOpen, then closes it. True
// when the box showed, was the only modal window and closed.
bool ShowAboutBoxAndAnswer(const std::function<void(TAboutBox*)>& whileOpen) {
    ModalAnswer answer([&](QWidget* modal) {
        auto* box = qobject_cast<TAboutBox*>(modal);
        if (box == nullptr)
            return false;
        whileOpen(box);
        box->reject();
        return true;
    });
    ShowAboutBox(nullptr);
    return answer.answered && answer.unexpected == 0;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void controlsSitAtTheirPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("pAbout") << u"pAbout"_s << u"AboutBox"_s << QRect(8, 8, 281, 177);
        QTest::newRow("ProgramIcon") << u"ProgramIcon"_s << u"pAbout"_s << QRect(8, 8, 121, 81);
        QTest::newRow("lblProduct") << u"lblProduct"_s << u"pAbout"_s << QRect(136, 24, 137, 13);
        QTest::newRow("lblVersion") << u"lblVersion"_s << u"pAbout"_s << QRect(136, 56, 137, 13);
        QTest::newRow("lblCopyright") << u"lblCopyright"_s << u"pAbout"_s << QRect(8, 96, 265, 17);
        QTest::newRow("lblSupport") << u"lblSupport"_s << u"pAbout"_s << QRect(8, 112, 265, 13);
        QTest::newRow("lblComments") << u"lblComments"_s << u"pAbout"_s << QRect(8, 136, 265, 25);
        QTest::newRow("lblComment2") << u"lblComment2"_s << u"pAbout"_s << QRect(8, 152, 265, 25);
        QTest::newRow("OKButton") << u"OKButton"_s << u"AboutBox"_s << QRect(111, 196, 75, 25);
    }

    void controlsSitAtTheirPlaces() {
        QFETCH(QString, name);
        QFETCH(QString, parentName);
        QFETCH(QRect, geometry);
        TAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* control = box.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), parentName);
        QCOMPARE(control->geometry(), geometry);
        QVERIFY(control->isVisible());
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    }

    void isAFixedDialogWithACloseBoxOnly() {
        TAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.windowTitle(), u"About Kestro"_s);
        QCOMPARE(box.size(), QSize(298, 228));
        QCOMPARE(box.minimumSize(), QSize(298, 228));
        QCOMPARE(box.maximumSize(), QSize(298, 228));
        const Qt::WindowFlags flags = box.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(box.OKButton->isDefault());
        QCOMPARE(box.focusWidget(), box.OKButton);
        const QPoint screenCentre = box.screen()->availableGeometry().center();
        QVERIFY2((box.frameGeometry().center() - screenCentre).manhattanLength() <= 4,
                 "the box is centred on the screen");
    }

    void usesASansSerifFontElevenPixelsHigh() {
        TAboutBox box;
        const QFontInfo info(box.lblProduct->font());
        QCOMPARE(info.pixelSize(), 11);
        QVERIFY2(info.family().contains(u"Sans"_s), qPrintable(info.family()));
        // Without a font the texts would be empty boxes.
        const QFontMetrics metrics(box.lblProduct->font());
        for (const QChar c : AboutProduct + AboutCopyright)
            QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
        QVERIFY(metrics.horizontalAdvance(AboutCopyright) <= box.lblComments->width());
    }

    void showsItsTexts() {
        TAboutBox box;
        QCOMPARE(box.lblProduct->text(), u"Kestro Setup Utility"_s);
        QCOMPARE(box.lblVersion->text(), u"Version 4.1.1"_s);
        QCOMPARE(box.lblCopyright->text(), AboutMaker);
        QCOMPARE(box.lblSupport->text(), AboutSupport);
        QCOMPARE(box.lblComments->text(), u"Copyright \u00A9 2026 the Kestro developers"_s);
        QCOMPARE(box.lblComment2->text(), u"All rights reserved."_s);
        QCOMPARE(box.OKButton->text(), u"OK"_s);
        QVERIFY(box.lblComments->wordWrap());
    }

    void panelHasALoweredOuterAndARaisedInnerBevel() {
        TAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage image = box.grab().toImage();
        const QPalette palette = box.pAbout->palette();
        const int right = 8 + 281 - 1;
        const int bottom = 8 + 177 - 1;
        QCOMPARE(image.pixel(8, 60), palette.color(QPalette::Dark).rgb());         // outer left
        QCOMPARE(image.pixel(right, 60), palette.color(QPalette::Light).rgb());    // outer right
        QCOMPARE(image.pixel(9, 60), palette.color(QPalette::Light).rgb());        // inner left
        QCOMPARE(image.pixel(right - 1, 60), palette.color(QPalette::Dark).rgb()); // inner right
        QCOMPARE(image.pixel(150, 8), palette.color(QPalette::Dark).rgb());        // outer top
        QCOMPARE(image.pixel(150, bottom), palette.color(QPalette::Light).rgb());  // outer bottom
    }

    void showsThePictureStretched() {
        TAboutBox box;
        QCOMPARE(box.ProgramIcon->image().size(), QSize(276, 199));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage shown = box.ProgramIcon->grab().toImage();
        QCOMPARE(shown.size(), QSize(121, 81));
        // The dark blue title band across the top and red, blue and lime days below it.
        QVERIFY(PixelsNear(shown.copy(0, 0, 121, 15), qRgb(0x1C, 0x2F, 0x5E), 40) > 121 * 10);
        const QImage days = shown.copy(0, 30, 121, 51);
        QVERIFY(PixelsNear(days, qRgb(0xFF, 0, 0), 60) > 200);
        QVERIFY(PixelsNear(days, qRgb(0, 0, 0xFF), 60) > 200);
        QVERIFY(PixelsNear(days, qRgb(0, 0xFF, 0), 60) > 200);
    }

    void aDamagedPictureLeavesAnEmptyFrame() {
        TAboutBox box(nullptr, AboutPictureJpeg().left(5000));
        QVERIFY(box.ProgramIcon->image().isNull());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage shown = box.ProgramIcon->grab().toImage();
        const QColor background = box.palette().color(QPalette::Window);
        QCOMPARE(PixelsNear(shown, background.rgb(), 0), 121 * 81);
    }

    void doubleClickOnThePictureShowsTheWebSite() {
        TAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseDClick(box.ProgramIcon, Qt::LeftButton, {}, QPoint(60, 40));
        QCOMPARE(box.lblCopyright->text(), QString());
        QCOMPARE(box.lblComments->text(), u"https://kestro.invalid"_s);
        QCOMPARE(box.lblComment2->text(), QString());
        QCOMPARE(box.lblProduct->text(), AboutProduct);
        QCOMPARE(box.lblVersion->text(), AboutVersion());
        QCOMPARE(box.lblSupport->text(), AboutSupport);
        QVERIFY(box.isVisible());

        const TAboutBox next;
        QCOMPARE(next.lblCopyright->text(), AboutMaker);
        QCOMPARE(next.lblComments->text(), AboutCopyright);
        QCOMPARE(next.lblComment2->text(), AboutRights);
    }

    void keysClose_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onButton");
        QTest::addColumn<int>("result");
        QTest::newRow("Return on OK") << int(Qt::Key_Return) << true << int(QDialog::Accepted);
        QTest::newRow("Enter on the box") << int(Qt::Key_Enter) << false << int(QDialog::Accepted);
        QTest::newRow("Return on the box")
            << int(Qt::Key_Return) << false << int(QDialog::Accepted);
        QTest::newRow("Space on OK") << int(Qt::Key_Space) << true << int(QDialog::Accepted);
        QTest::newRow("Escape on OK") << int(Qt::Key_Escape) << true << int(QDialog::Rejected);
        QTest::newRow("Escape on the box")
            << int(Qt::Key_Escape) << false << int(QDialog::Rejected);
    }

    void keysClose() {
        QFETCH(int, key);
        QFETCH(bool, onButton);
        QFETCH(int, result);
        TAboutBox box;
        box.setResult(-1);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QWidget* target = onButton ? static_cast<QWidget*>(box.OKButton) : &box;
        QTest::keyClick(target, Qt::Key(key));
        QTRY_VERIFY(!box.isVisible());
        QCOMPARE(box.result(), result);
    }

    void otherKeysDoNotClose() {
        TAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::keyClick(box.OKButton, Qt::Key_A);
        QTest::keyClick(box.OKButton, Qt::Key_F1);
        QVERIFY(box.isVisible());
    }

    void theCloseBoxCloses() {
        TAboutBox box;
        box.setResult(-1);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(box.close());
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Rejected));
    }

    void showAboutBoxRunsAFreshModalBoxEachTime() {
        QPointer<TAboutBox> first;
        QVERIFY(ShowAboutBoxAndAnswer([&](TAboutBox* box) {
            first = box;
            QVERIFY(box->isModal());
            QCOMPARE(box->lblComments->text(), AboutCopyright);
            QTest::mouseDClick(box->ProgramIcon, Qt::LeftButton, {}, QPoint(10, 10));
            QCOMPARE(box->lblComments->text(), AboutWebSite);
        }));
        QVERIFY(first.isNull()); // destroyed once closed

        QVERIFY(ShowAboutBoxAndAnswer([&](TAboutBox* box) {
            QCOMPARE(box->lblCopyright->text(), AboutMaker);
            QCOMPARE(box->lblComments->text(), AboutCopyright);
            QCOMPARE(box->lblComment2->text(), AboutRights);
        }));
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(qobject_cast<TAboutBox*>(widget) == nullptr);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
