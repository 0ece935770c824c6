// The application style with the menu bar's overflow arrow read when first drawn: making a menu
// bar reads no picture, and the arrow looks exactly as the base style's.
#include "widgets/DeferredIconStyle.h"

#include "support/LoadedLibraries.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

using namespace kestro;

class DeferredIconStyleTest : public QObject {
    Q_OBJECT

    QStyle* base = nullptr;

private slots:
    void initTestCase() {
        DeferredIconStyle::Install();
        base = static_cast<QProxyStyle*>(QApplication::style())->baseStyle();
        QVERIFY(base != nullptr);
    }

    // First: the test process has read no picture before.
    void MakingAMenuBarLoadsNoImagePlugin() {
        QMenuBar bar;
        bar.addMenu(QStringLiteral("&File"));
        QVERIFY(!test::IsLoaded("imageformats"));
    }

    void TheArrowIsTheBaseStylesIcon() {
        const QIcon deferred =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        const QIcon own = base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!deferred.isNull());
        QCOMPARE(deferred.availableSizes(), own.availableSizes());
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
            for (const int side : {8, 16, 24, 32}) {
                for (const qreal ratio : {1.0, 2.0}) {
                    const QSize size(side, side);
                    const QPixmap got = deferred.pixmap(size, ratio, mode);
                    const QPixmap expected = own.pixmap(size, ratio, mode);
                    const QByteArray what = QByteArray::number(side) + " at " +
                                            QByteArray::number(ratio) + " mode " +
                                            QByteArray::number(int(mode));
                    QVERIFY2(got.toImage() == expected.toImage(), what.constData());
                    QCOMPARE(got.devicePixelRatio(), expected.devicePixelRatio());
                    QCOMPARE(deferred.actualSize(size, mode), own.actualSize(size, mode));
                }
            }
        }
        QVERIFY(test::IsLoaded("imageformats")); // read now that it was drawn
    }

    // The arrow of a menu bar too narrow for its menus, painted by the menu bar.
    void AnOverflowingMenuBarDrawsTheArrow() {
        QMenuBar bar;
        for (const char* title : {"&File", "&Edit", "&View", "&Help"})
            bar.addMenu(QString::fromLatin1(title));
        bar.resize(60, bar.sizeHint().height());
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        auto* arrow = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(arrow != nullptr && arrow->isVisible());
        const QImage shown = arrow->grab().toImage();
        arrow->setIcon(base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
        QCOMPARE(shown, arrow->grab().toImage());
        QVERIFY(shown != QImage(shown.size(), shown.format())); // something was drawn
    }
};

// On a screen of two device pixels to the pixel, where the icon's sizes are easy to get wrong.
int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    DeferredIconStyleTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "DeferredIconStyleTest.moc"
