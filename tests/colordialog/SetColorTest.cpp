#include "colordialog/SetColor.h"
#include "colors/ColorPickList.h"
#include "widgets/ColorToQColor.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace kestro {
namespace {

constexpr ColorValue kRed = 0x000000FF;
constexpr ColorValue kWhite = 0x00FFFFFF;
constexpr ColorValue kLime = 0x0000FF00;
constexpr ColorValue kAqua = 0x00FFFF00;
constexpr ColorValue kYellow = 0x0000FFFF;

// Platoon A red on white over a white background, as the main window asks for it.
ColorDialogRequest PlatoonARequest() {
    ColorDialogRequest r;
    r.normalHeading = QStringLiteral("Normal");
    r.inverseHeading = QStringLiteral("Inverse");
    r.normalCaption = QStringLiteral("A Plt");
    r.normalFill = kWhite;
    r.normalCaptionColor = kRed;
    r.inverseCaption = QStringLiteral("A Inv");
    r.inverseFill = kRed;
    r.inverseCaptionColor = kWhite;
    r.normalListLabel = QStringLiteral("A Platoon Color:");
    r.inverseListLabel = QStringLiteral("A Platoon Inverse");
    r.normalSelection = kRed;
    r.inverseSelection = kWhite;
    return r;
}

QColor Fill(const QLabel* panel) {
    return panel->palette().color(QPalette::Window);
}

QColor CaptionColor(const QLabel* panel) {
    return panel->palette().color(QPalette::WindowText);
}

// The color the panel really paints just inside its frame.
QColor PaintedFill(QLabel* panel) {
    return panel->grab().toImage().pixelColor(3, 3);
}

struct Run {
    ColorDialogResult result;
    bool closedByUser = false; // closed by the actions, not by the test afterwards
};

// Opens the dialog with Execute, performs the actions once it is active, and makes sure it closes:
// whatever the actions leave open is closed afterwards, and a watchdog closes it in any case.
Run ExecuteWith(TColorDlg& dialog, const ColorDialogRequest& request,
                const std::function<void()>& actions) {
    Run run;
    bool acted = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (acted || !dialog.isVisible())
            return;
        acted = true;
        poll.stop();
        // Keys reach only the active window, as on a desktop.
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("the dialog did not become active");
        actions();
        run.closedByUser = !dialog.isVisible();
        if (dialog.isVisible())
            dialog.done(QDialog::Accepted + 100);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    watchdog.setInterval(15000);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (dialog.isVisible())
            dialog.done(QDialog::Rejected);
    });
    poll.start();
    watchdog.start();
    run.result = dialog.Execute(request);
    if (!acted)
        qWarning("the dialog never showed");
    return run;
}

void Key(QWidget* target, Qt::Key key) {
    QTest::keyClick(target, key);
}

} // namespace

class SetColorTest : public QObject {
    Q_OBJECT

private slots:
    void layoutAndCaptions();
    void fontsAndFrames();
    void pickListsShowFiftySwatches();
    void executeFillsEveryControl();
    void programSelectionRunsNoHandler();
    void keyboardPicksUpdateSamples();
    void mousePickUpdatesSample();
    void okReturnsSelections();
    void colorWithoutEntryOpensUnselected();
    void escapeOnCancelCancels();
    void escapeElsewhereDoesNotClose();
    void enterPressesTheFocusedButtonOnly_data();
    void enterPressesTheFocusedButtonOnly();
    void closeBoxCancels();
    void tabOrderAndFirstFocus();
    void reuseOverwritesEverythingButFocus();
    void opensOnScreen();
    void colorToQColor_data();
    void colorToQColor();

private:
    QPalette palette_; // a desktop palette with a distinct color in every role used
};

void SetColorTest::layoutAndCaptions() {
    TColorDlg dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Set Color"));
    QCOMPARE(dialog.size(), QSize(178, 209));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.pos(), QPoint(432, 179));
    QVERIFY(!dialog.isVisible());

    const struct {
        QWidget* widget;
        QRect geometry;
    } fixed[] = {
        {dialog.lblPCol, {8, 8, 73, 13}},    {dialog.lblPInv, {88, 8, 89, 13}},
        {dialog.pColor, {16, 24, 57, 33}},   {dialog.pInverse, {104, 24, 57, 33}},
        {dialog.cbColor, {16, 88, 145, 22}}, {dialog.cbInverse, {16, 136, 145, 22}},
        {dialog.bOk, {16, 176, 65, 25}},     {dialog.bCancel, {96, 176, 65, 25}},
    };
    for (const auto& f : fixed)
        QCOMPARE(f.widget->geometry(), f.geometry);
    QCOMPARE(dialog.bOk->text(), QStringLiteral("&Ok"));
    QCOMPARE(dialog.bCancel->text(), QStringLiteral("&Cancel"));
    QVERIFY(dialog.lblPCol->alignment() & Qt::AlignHCenter);
    QVERIFY(dialog.lblPInv->alignment() & Qt::AlignHCenter);
    for (QPushButton* button : {dialog.bOk, dialog.bCancel}) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    for (QLabel* panel : {dialog.pColor, dialog.pInverse})
        QCOMPARE(panel->focusPolicy(), Qt::NoFocus);

    // Labels over the lists start at their place and are as wide as their text.
    dialog.Fill(PlatoonARequest());
    QCOMPARE(dialog.lblColor->pos(), QPoint(16, 72));
    QCOMPARE(dialog.lblInverse->pos(), QPoint(16, 120));
    QCOMPARE(dialog.lblColor->height(), 13);
    QCOMPARE(dialog.lblColor->width(),
             dialog.lblColor->fontMetrics().horizontalAdvance(QStringLiteral("A Platoon Color:")));
}

void SetColorTest::fontsAndFrames() {
    TColorDlg dialog;
    const QFontInfo info(dialog.font());
    QCOMPARE(info.pixelSize(), 11);
    QVERIFY(!info.fixedPitch());
    QVERIFY(QFontMetrics(dialog.font()).inFont(QLatin1Char('A')));
    for (QLabel* panel : {dialog.pColor, dialog.pInverse}) {
        QVERIFY(panel->font().bold());
        QCOMPARE(QFontInfo(panel->font()).pixelSize(), 11);
        QCOMPARE(panel->frameShape(), QFrame::Panel);
        QCOMPARE(panel->frameShadow(), QFrame::Raised);
        QVERIFY(panel->alignment() & Qt::AlignCenter);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{dialog.lblColor, dialog.cbColor, dialog.bOk})
        QCOMPARE(QFontInfo(w->font()).pixelSize(), 11);
}

void SetColorTest::pickListsShowFiftySwatches() {
    TColorDlg dialog;
    const auto entries = PickListEntries();
    for (QComboBox* list : {dialog.cbColor, dialog.cbInverse}) {
        QCOMPARE(list->count(), 50);
        QVERIFY(!list->isEditable());
        for (int i = 0; i < list->count(); ++i) {
            const PickListEntry& entry = entries[std::size_t(i)];
            QCOMPARE(list->itemText(i), QLatin1String(entry.name));
            const QIcon icon = list->itemIcon(i);
            QVERIFY2(!icon.isNull(), entry.name);
            const QImage normal = icon.pixmap(list->iconSize()).toImage();
            const QPoint middle(normal.width() / 2, normal.height() / 2);
            const QColor expected = ColorToQColor(entry.color);
            QCOMPARE(normal.pixelColor(middle).rgb(), expected.rgb());
            QCOMPARE(normal.pixelColor(0, 0), QColor(Qt::black));
            // A highlighted entry keeps its true color.
            const QImage selected = icon.pixmap(list->iconSize(), QIcon::Selected).toImage();
            QCOMPARE(selected.pixelColor(middle).rgb(), expected.rgb());
        }
    }
    // The system colors take the desktop's palette.
    const int buttonFace = *SelectionIndexOf(0xFF00000F);
    QCOMPARE(dialog.cbColor->itemIcon(buttonFace)
                 .pixmap(dialog.cbColor->iconSize())
                 .toImage()
                 .pixelColor(8, 6)
                 .rgb(),
             QApplication::palette().color(QPalette::Button).rgb());
}

void SetColorTest::executeFillsEveryControl() {
    TColorDlg dialog;
    ColorDialogRequest request = PlatoonARequest();
    request.normalFill = kYellow;
    const Run run = ExecuteWith(dialog, request, [&] {
        QCOMPARE(dialog.lblPCol->text(), QStringLiteral("Normal"));
        QCOMPARE(dialog.lblPInv->text(), QStringLiteral("Inverse"));
        QCOMPARE(dialog.pColor->text(), QStringLiteral("A Plt"));
        QCOMPARE(dialog.pInverse->text(), QStringLiteral("A Inv"));
        QCOMPARE(dialog.lblColor->text(), QStringLiteral("A Platoon Color:"));
        QCOMPARE(dialog.lblInverse->text(), QStringLiteral("A Platoon Inverse"));
        QCOMPARE(Fill(dialog.pColor), QColor(Qt::yellow));
        QCOMPARE(PaintedFill(dialog.pColor), QColor(Qt::yellow));
        QCOMPARE(CaptionColor(dialog.pColor), QColor(Qt::red));
        QCOMPARE(PaintedFill(dialog.pInverse), QColor(Qt::red));
        QCOMPARE(CaptionColor(dialog.pInverse), QColor(Qt::white));
        QCOMPARE(dialog.cbColor->currentText(), QStringLiteral("Red"));
        QCOMPARE(dialog.cbInverse->currentText(), QStringLiteral("White"));
        QVERIFY(dialog.isModal());
    });
    QVERIFY(!run.closedByUser);
}

void SetColorTest::programSelectionRunsNoHandler() {
    TColorDlg dialog;
    ExecuteWith(dialog, PlatoonARequest(), [&] {
        dialog.cbColor->setCurrentIndex(*SelectionIndexOf(kLime));
        dialog.cbInverse->setCurrentIndex(*SelectionIndexOf(kAqua));
        QCOMPARE(CaptionColor(dialog.pColor), QColor(Qt::red));
        QCOMPARE(Fill(dialog.pInverse), QColor(Qt::red));
        QCOMPARE(CaptionColor(dialog.pInverse), QColor(Qt::white));
    });
    // The same once more through Fill, with the dialog closed.
    ColorDialogRequest other = PlatoonARequest();
    other.normalSelection = kLime;
    dialog.Fill(other);
    QCOMPARE(dialog.cbColor->currentText(), QStringLiteral("Lime"));
    QCOMPARE(Fill(dialog.pInverse), QColor(Qt::red));
}

void SetColorTest::keyboardPicksUpdateSamples() {
    TColorDlg dialog;
    const Run run = ExecuteWith(dialog, PlatoonARequest(), [&] {
        dialog.cbColor->setFocus();
        Key(dialog.cbColor, Qt::Key_Down); // Red -> Lime
        QCOMPARE(dialog.cbColor->currentText(), QStringLiteral("Lime"));
        QCOMPARE(CaptionColor(dialog.pColor), QColor(Qt::green));
        QCOMPARE(Fill(dialog.pColor), QColor(Qt::white)); // keeps the old background
        QCOMPARE(PaintedFill(dialog.pInverse), QColor(Qt::green));
        QCOMPARE(CaptionColor(dialog.pInverse), QColor(Qt::white));

        Key(dialog.cbColor, Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget(), dialog.cbInverse);
        Key(dialog.cbInverse, Qt::Key_Up); // White -> Aqua
        QCOMPARE(CaptionColor(dialog.pInverse), QColor(Qt::cyan));
        QCOMPARE(PaintedFill(dialog.pInverse), QColor(Qt::green));
        QCOMPARE(CaptionColor(dialog.pColor), QColor(Qt::green));
    });
    QVERIFY(!run.closedByUser);
}

void SetColorTest::mousePickUpdatesSample() {
    TColorDlg dialog;
    ExecuteWith(dialog, PlatoonARequest(), [&] {
        QTest::mouseClick(dialog.cbColor, Qt::LeftButton);
        QTRY_VERIFY(dialog.cbColor->view()->isVisible());
        // A drop-down of eight entries with a scroll bar, wide enough for the longest name.
        QAbstractItemView* list = dialog.cbColor->view();
        QVERIFY(list->verticalScrollBar()->isVisible());
        QVERIFY(list->height() < 12 * list->sizeHintForRow(0));
        QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
        // A release right after the opening click is taken as part of it.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QAbstractItemView* view = dialog.cbColor->view();
        const QModelIndex yellow = view->model()->index(*SelectionIndexOf(kYellow), 0);
        view->scrollTo(yellow);
        const QPoint at = view->visualRect(yellow).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!dialog.cbColor->view()->isVisible());
        QCOMPARE(dialog.cbColor->currentText(), QStringLiteral("Yellow"));
        QCOMPARE(CaptionColor(dialog.pColor), QColor(Qt::yellow));
        QCOMPARE(PaintedFill(dialog.pInverse), QColor(Qt::yellow));
        QVERIFY(dialog.isVisible());
    });
}

void SetColorTest::okReturnsSelections() {
    TColorDlg dialog;
    const Run run = ExecuteWith(dialog, PlatoonARequest(), [&] {
        dialog.cbColor->setFocus();
        Key(dialog.cbColor, Qt::Key_Down); // Lime
        Key(dialog.cbInverse, Qt::Key_Up); // Aqua
        QTest::mouseClick(dialog.bOk, Qt::LeftButton);
    });
    QVERIFY(run.closedByUser);
    QVERIFY(run.result.ok);
    QCOMPARE(run.result.normal, std::optional<ColorValue>(kLime));
    QCOMPARE(run.result.inverse, std::optional<ColorValue>(kAqua));

    // Alt+O is Ok as well.
    const Run byKey = ExecuteWith(dialog, PlatoonARequest(), [&] {
        QTRY_VERIFY(dialog.isActiveWindow());
        QTest::keyClick(dialog.focusWidget(), Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!dialog.isVisible()); // a mnemonic presses the button for a moment
    });
    QVERIFY(byKey.closedByUser);
    QVERIFY(byKey.result.ok);
    QCOMPARE(byKey.result.normal, std::optional<ColorValue>(kRed));
}

void SetColorTest::colorWithoutEntryOpensUnselected() {
    TColorDlg dialog;
    ColorDialogRequest request = PlatoonARequest();
    request.normalSelection = 0x020080FF; // read as "$FF8000"
    request.inverseSelection = ColorNone;
    const Run run = ExecuteWith(dialog, request, [&] {
        QCOMPARE(dialog.cbColor->currentIndex(), -1);
        QCOMPARE(dialog.cbInverse->currentIndex(), -1);
        QTest::mouseClick(dialog.bOk, Qt::LeftButton);
    });
    QVERIFY(run.result.ok);
    QVERIFY(!run.result.normal.has_value());
    QVERIFY(!run.result.inverse.has_value());
}

void SetColorTest::escapeOnCancelCancels() {
    TColorDlg dialog;
    const Run run = ExecuteWith(dialog, PlatoonARequest(), [&] {
        dialog.cbColor->setFocus();
        Key(dialog.cbColor, Qt::Key_Down); // picks Lime, then leaves by Esc
        dialog.bCancel->setFocus();
        Key(dialog.bCancel, Qt::Key_Escape);
    });
    QVERIFY(run.closedByUser);
    QVERIFY(!run.result.ok);
    QCOMPARE(run.result.normal, std::optional<ColorValue>(kLime));
}

void SetColorTest::escapeElsewhereDoesNotClose() {
    TColorDlg dialog;
    const Run run = ExecuteWith(dialog, PlatoonARequest(), [&] {
        for (QWidget* w :
             std::initializer_list<QWidget*>{dialog.cbColor, dialog.cbInverse, dialog.bOk}) {
            w->setFocus();
            Key(w, Qt::Key_Escape);
            QVERIFY2(dialog.isVisible(), qPrintable(w->objectName()));
        }
        Key(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        // Other keys on Cancel do nothing special.
        dialog.bCancel->setFocus();
        Key(dialog.bCancel, Qt::Key_A);
        QVERIFY(dialog.isVisible());
    });
    QVERIFY(!run.closedByUser);
}

void SetColorTest::enterPressesTheFocusedButtonOnly_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("closes"); // 1 with Ok, 0 with Cancel, -1 not at all
    const std::pair<const char*, Qt::Key> keys[] = {
        {"Return", Qt::Key_Return}, {"Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};
    for (const auto& [keyName, key] : keys) {
        const auto row = [&](const char* focus, int closes) {
            QTest::addRow("%s on %s", keyName, focus)
                << QString::fromLatin1(focus) << int(key) << closes;
        };
        row("bOk", 1);
        row("bCancel", 0);
        // Neither button is the default button, not even one that had the focus before.
        if (key != Qt::Key_Space) {
            row("cbColor", -1);
            row("cbInverse", -1);
        }
    }
}

void SetColorTest::enterPressesTheFocusedButtonOnly() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, closes);
    TColorDlg dialog;
    const Run run = ExecuteWith(dialog, PlatoonARequest(), [&] {
        dialog.bOk->setFocus();
        dialog.bCancel->setFocus();
        auto* target = dialog.findChild<QWidget*>(focus);
        target->setFocus();
        Key(target, Qt::Key(key));
    });
    QCOMPARE(run.closedByUser, closes >= 0);
    if (closes >= 0)
        QCOMPARE(run.result.ok, closes == 1);
}

void SetColorTest::closeBoxCancels() {
    TColorDlg dialog;
    const Run run = ExecuteWith(dialog, PlatoonARequest(), [&] {
        dialog.cbColor->setFocus();
        Key(dialog.cbColor, Qt::Key_Down);
        QVERIFY(dialog.windowHandle() != nullptr);
        dialog.windowHandle()->close();
    });
    QVERIFY(run.closedByUser);
    QVERIFY(!run.result.ok);
}

void SetColorTest::tabOrderAndFirstFocus() {
    TColorDlg dialog;
    ExecuteWith(dialog, PlatoonARequest(), [&] {
        QCOMPARE(dialog.focusWidget(), dialog.bCancel);
        QTRY_COMPARE(QApplication::focusWidget(), dialog.bCancel);
        const QWidget* order[] = {dialog.cbColor, dialog.cbInverse, dialog.bOk, dialog.bCancel,
                                  dialog.cbColor};
        for (const QWidget* expected : order) {
            Key(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
    });
}

void SetColorTest::reuseOverwritesEverythingButFocus() {
    TColorDlg dialog;
    ExecuteWith(dialog, PlatoonARequest(), [&] {
        dialog.cbColor->setFocus();
        Key(dialog.cbColor, Qt::Key_Down); // the samples change
        dialog.bOk->setFocus();
        Key(dialog.bOk, Qt::Key_Space);
    });

    ColorDialogRequest background;
    background.normalHeading = QStringLiteral("Background");
    background.inverseHeading = QStringLiteral("L-T Color");
    background.normalCaption = QStringLiteral("BkGr");
    background.normalFill = kWhite;
    background.normalCaptionColor = kWhite;
    background.inverseCaption = QStringLiteral("L/T");
    background.inverseFill = kWhite;
    background.inverseCaptionColor = 0x00C0C0C0;
    background.normalListLabel = QStringLiteral("Background Color:");
    background.inverseListLabel = QStringLiteral("L-T Color");
    background.normalSelection = kWhite;
    background.inverseSelection = 0x00C0C0C0;
    const Run run = ExecuteWith(dialog, background, [&] {
        QCOMPARE(dialog.focusWidget(), dialog.bOk);
        QCOMPARE(dialog.lblPCol->text(), QStringLiteral("Background"));
        QCOMPARE(dialog.lblPInv->text(), QStringLiteral("L-T Color"));
        // The longest headings fit their fixed labels.
        for (const QLabel* heading : {dialog.lblPCol, dialog.lblPInv})
            QVERIFY(heading->fontMetrics().horizontalAdvance(heading->text()) <= heading->width());
        QCOMPARE(dialog.pColor->text(), QStringLiteral("BkGr"));
        QCOMPARE(dialog.pInverse->text(), QStringLiteral("L/T"));
        QCOMPARE(CaptionColor(dialog.pColor), QColor(Qt::white));
        QCOMPARE(Fill(dialog.pInverse), QColor(Qt::white));
        QCOMPARE(CaptionColor(dialog.pInverse), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(dialog.lblColor->text(), QStringLiteral("Background Color:"));
        QCOMPARE(dialog.lblColor->width(), dialog.lblColor->fontMetrics().horizontalAdvance(
                                               QStringLiteral("Background Color:")));
        QCOMPARE(dialog.cbColor->currentText(), QStringLiteral("White"));
        QCOMPARE(dialog.cbInverse->currentText(), QStringLiteral("Silver"));
    });
    QVERIFY(!run.closedByUser);
}

void SetColorTest::opensOnScreen() {
    TColorDlg dialog;
    ExecuteWith(dialog, PlatoonARequest(), [&] { QCOMPARE(dialog.pos(), QPoint(432, 179)); });

    // Moved past the screen's edge, it comes back to be seen whole.
    dialog.move(100000, 100000);
    ExecuteWith(dialog, PlatoonARequest(), [&] {
        const QRect area = dialog.screen()->availableGeometry();
        QVERIFY2(area.contains(dialog.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2").arg(dialog.x()).arg(dialog.y())));
    });
}

void SetColorTest::colorToQColor_data() {
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("expected");
    QPalette& palette = palette_;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Highlight, QColor(7, 8, 9));
    palette.setColor(QPalette::Text, QColor(10, 11, 12));
    palette.setColor(QPalette::ToolTipBase, QColor(13, 14, 15));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(16, 17, 18));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(19, 20, 21));

    QTest::newRow("red") << quint32(0x000000FF) << QColor(255, 0, 0);
    QTest::newRow("rgb byte order") << quint32(0x00563412) << QColor(0x12, 0x34, 0x56);
    QTest::newRow("$ form") << quint32(0x02563412) << QColor(0x12, 0x34, 0x56);
    QTest::newRow("button face") << quint32(0xFF00000F) << QColor(1, 2, 3);
    QTest::newRow("window") << quint32(0xFF000005) << QColor(4, 5, 6);
    QTest::newRow("highlight") << quint32(0xFF00000D) << QColor(7, 8, 9);
    QTest::newRow("window text") << quint32(0xFF000008) << QColor(10, 11, 12);
    QTest::newRow("info background") << quint32(0xFF000018) << QColor(13, 14, 15);
    QTest::newRow("button text") << quint32(0xFF000012) << QColor(16, 17, 18);
    QTest::newRow("gray text") << quint32(0xFF000011) << QColor(19, 20, 21);
    QTest::newRow("index 25") << quint32(0xFF000019) << QColor(Qt::black);
    QTest::newRow("index 31") << quint32(0xFF00001F) << QColor(Qt::black);
    QTest::newRow("none") << quint32(ColorNone) << QColor(Qt::transparent);
    QTest::newRow("other form") << quint32(0x01000000) << QColor(Qt::transparent);
}

void SetColorTest::colorToQColor() {
    QFETCH(quint32, value);
    QFETCH(QColor, expected);
    QCOMPARE(ColorToQColor(value, palette_), expected);
}

} // namespace kestro

QTEST_MAIN(kestro::SetColorTest)
#include "SetColorTest.moc"
