#include "support/MainFormHarness.h"

#include "support/Pixels.h"
#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"
#include "widgets/UpDownArrows.h"

#include <QPushButton>
#include <QToolButton>

using namespace kestro;
using namespace kestro::test;

namespace {

const DayNumber Today = Day(15, 3, 2024);

QString HeaderOf(DayNumber day) {
    const CalendarDate date = DayNumberToDate(day);
    return DefaultShortDateFormat().longMonthNames[std::size_t(date.month - 1)] + QLatin1Char(' ') +
           QString::number(date.year);
}

void PressInGrid(TMainForm& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Peek(form).dgCal, Qt::Key(key), modifiers);
}

} // namespace

class MonthPreviewTest : public FormTest {
    Q_OBJECT

private slots:
    void GridKeysMoveTheCursor_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("reversePages");
        QTest::addColumn<int>("to");
        const int none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier;
        const int alt = Qt::AltModifier;
        const int ctrl = Qt::ControlModifier;
        const auto row = [](const char* name, DayNumber from, int key, int modifiers, bool reverse,
                            DayNumber to) {
            QTest::newRow(name) << int(from) << key << modifiers << reverse << int(to);
        };
        row("Page Down clips 31 January", Day(31, 1, 2001), Qt::Key_PageDown, none, false,
            Day(28, 2, 2001));
        row("Page Down keeps the 28th", Day(28, 2, 2001), Qt::Key_PageDown, none, false,
            Day(28, 3, 2001));
        row("Page Up to the leap day", Day(31, 3, 2024), Qt::Key_PageUp, none, false,
            Day(29, 2, 2024));
        row("Shift+Page Up a year", Day(29, 2, 2024), Qt::Key_PageUp, shift, false,
            Day(28, 2, 2023));
        row("Alt+Page Up a year", Day(15, 3, 2024), Qt::Key_PageUp, alt, false, Day(15, 3, 2023));
        row("Ctrl+Page Up a year", Day(15, 3, 2024), Qt::Key_PageUp, ctrl, false, Day(15, 3, 2023));
        row("Shift+Page Down a year", Day(15, 3, 2024), Qt::Key_PageDown, shift, false,
            Day(15, 3, 2025));
        row("Alt+Page Down a year", Day(15, 3, 2024), Qt::Key_PageDown, alt, false,
            Day(15, 3, 2025));
        row("Ctrl+Page Down a year", Day(15, 3, 2024), Qt::Key_PageDown, ctrl, false,
            Day(15, 3, 2025));
        row("Shift+Ctrl+Page Down ten years", Day(15, 3, 2024), Qt::Key_PageDown, shift | ctrl,
            false, Day(15, 3, 2034));
        row("Shift+Ctrl+Alt+Page Down ten years", Day(15, 3, 2024), Qt::Key_PageDown,
            shift | ctrl | alt, false, Day(15, 3, 2034));
        row("Shift+Ctrl+Page Down reversed", Day(15, 3, 2024), Qt::Key_PageDown, shift | ctrl, true,
            Day(15, 3, 2014));
        row("Shift+Alt+Page Down a month", Day(15, 3, 2024), Qt::Key_PageDown, shift | alt, false,
            Day(15, 4, 2024));
        row("Ctrl+Alt+Page Down a month", Day(15, 3, 2024), Qt::Key_PageDown, ctrl | alt, false,
            Day(15, 4, 2024));
        row("Page Up reversed", Day(15, 3, 2024), Qt::Key_PageUp, none, true, Day(15, 4, 2024));
        row("Page Down reversed", Day(15, 3, 2024), Qt::Key_PageDown, none, true, Day(15, 2, 2024));
        row("Alt+Page Up reversed", Day(15, 3, 2024), Qt::Key_PageUp, alt, true, Day(15, 3, 2025));
        row("Up a week", Day(3, 3, 2024), Qt::Key_Up, none, false, Day(25, 2, 2024));
        row("Ctrl+Down a week", Day(3, 3, 2024), Qt::Key_Down, ctrl, false, Day(10, 3, 2024));
        row("Shift+Alt+Left a day", Day(1, 3, 2024), Qt::Key_Left, shift | alt, false,
            Day(29, 2, 2024));
        row("Right a day", Day(31, 12, 2024), Qt::Key_Right, none, false, Day(1, 1, 2025));
        row("Left stops at 1 January 1700", Day(1, 1, 1700), Qt::Key_Left, none, false,
            Day(1, 1, 1700));
        row("Shift+Ctrl+Page Up stops at 1700", Day(15, 6, 1705), Qt::Key_PageUp, shift | ctrl,
            false, Day(1, 1, 1700));
        row("Right stops at 1 January 3000", Day(1, 1, 3000), Qt::Key_Right, none, false,
            Day(1, 1, 3000));
        row("Page Down stops at 1 January 3000", Day(1, 1, 3000), Qt::Key_PageDown, none, false,
            Day(1, 1, 3000));
        row("Home", Day(10, 5, 2030), Qt::Key_Home, ctrl, false, Today);
        row("T", Day(10, 5, 2030), Qt::Key_T, none, false, Today);
        row("Shift+T", Day(10, 5, 2030), Qt::Key_T, shift, false, Today);
        row("Alt+F5", Day(10, 5, 2030), Qt::Key_F5, alt, false, Today);
        row("F5 alone", Day(10, 5, 2030), Qt::Key_F5, none, false, Day(10, 5, 2030));
        row("Ctrl+Alt+F5", Day(10, 5, 2030), Qt::Key_F5, ctrl | alt, false, Day(10, 5, 2030));
        row("another key", Day(10, 5, 2030), Qt::Key_X, none, false, Day(10, 5, 2030));
        row("Enter", Day(10, 5, 2030), Qt::Key_Return, none, false, Day(10, 5, 2030));
    }
    void GridKeysMoveTheCursor() {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, reversePages);
        QFETCH(int, to);
        run->WriteSettings(ClassicSettings +
                           "[Config]\nReversePageUpPageDown=" + (reversePages ? "1" : "0") + "\n");
        TMainForm& form = run->Start();
        Peek(form).View.CursorDay = from;
        PressInGrid(form, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Peek(form).View.CursorDay, to);
        QCOMPARE(Peek(form).pHeader->accessibleDescription(), HeaderOf(to));
        // A modifier is a key of its own: pressed first, it leaves the starting day in ReturnDay.
        const DayNumber returnDay = to != Today ? to : modifiers != Qt::NoModifier ? from : Today;
        QCOMPARE(Peek(form).View.ReturnDay, returnDay);
        QVERIFY(!Peek(form).SettingsModified);
    }

    void EndReturnsToTheLastDayAGridKeyLeft() {
        TMainForm& form = run->Start();
        Peek(form).View.CursorDay = Day(9, 5, 2030);
        PressInGrid(form, Qt::Key_Right);
        PressInGrid(form, Qt::Key_Home);
        QCOMPARE(Peek(form).View.CursorDay, Today);
        PressInGrid(form, Qt::Key_End);
        QCOMPARE(Peek(form).View.CursorDay, Day(10, 5, 2030));
        PressInGrid(form, Qt::Key_End);
        QCOMPARE(Peek(form).View.CursorDay, Day(10, 5, 2030));

        // Days reached with the arrows of the header or Today are not remembered.
        QTest::mouseClick(Peek(form).udMon->upper, Qt::LeftButton);
        QCOMPARE(Peek(form).View.CursorDay, Day(10, 6, 2030));
        QTest::mouseClick(Peek(form).bToday, Qt::LeftButton);
        QCOMPARE(Peek(form).View.CursorDay, Today);
        QCOMPARE(Peek(form).View.ReturnDay, Day(10, 5, 2030));
        PressInGrid(form, Qt::Key_End);
        QCOMPARE(Peek(form).View.CursorDay, Day(10, 5, 2030));
    }

    void EndAtStartGoesToToday() {
        run->WriteSettings(ClassicSettings);
        TMainForm& form = run->Start();
        PressInGrid(form, Qt::Key_PageDown);
        PressInGrid(form, Qt::Key_Home);
        PressInGrid(form, Qt::Key_End);
        QCOMPARE(Peek(form).View.CursorDay, Day(15, 4, 2024));
    }

    void TheArrowsMoveByMonths_data() {
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<bool>("upper");
        QTest::addColumn<int>("to");
        QTest::newRow("upper") << false << true << int(Day(15, 4, 2024));
        QTest::newRow("lower") << false << false << int(Day(15, 2, 2024));
        QTest::newRow("upper, reversed") << true << true << int(Day(15, 2, 2024));
        QTest::newRow("lower, reversed") << true << false << int(Day(15, 4, 2024));
    }
    void TheArrowsMoveByMonths() {
        QFETCH(bool, reverse);
        QFETCH(bool, upper);
        QFETCH(int, to);
        run->WriteSettings(ClassicSettings + "[Config]\nReverseUpDown=" + (reverse ? "1" : "0") +
                           "\n");
        TMainForm& form = run->Start();
        QTest::mouseClick(upper ? Peek(form).udMon->upper : Peek(form).udMon->lower,
                          Qt::LeftButton);
        QCOMPARE(Peek(form).View.CursorDay, to);
        QCOMPARE(Peek(form).pHeader->accessibleDescription(), HeaderOf(to));
        QCOMPARE(Peek(form).View.ReturnDay, Today);
        QVERIFY(Peek(form).udMon->upper->focusPolicy() == Qt::NoFocus);
    }

    void EveryClickOfAnArrowMovesDownToTheBound() {
        TMainForm& form = run->Start();
        Peek(form).View.CursorDay = Day(15, 3, 1701);
        for (int click = 0; click < 14; ++click)
            QTest::mouseClick(Peek(form).udMon->lower, Qt::LeftButton);
        QCOMPARE(Peek(form).View.CursorDay, Day(15, 1, 1700));
        for (int click = 0; click < 3; ++click)
            QTest::mouseClick(Peek(form).udMon->lower, Qt::LeftButton);
        QCOMPARE(Peek(form).View.CursorDay, Day(1, 1, 1700));
    }

    void HelpKeysAskForTheHelpFileBesideTheProgram() {
        TMainForm& form = run->Start();
        const QString helpFile = run->dir.filePath(QStringLiteral("bin/kestro.chm"));
        run->prompts.ExpectHelpContents(helpFile, false);
        run->prompts.ExpectError(QStringLiteral("Unable to open Help file."));
        PressInGrid(form, Qt::Key_F1);
        run->prompts.ExpectHelpContents(helpFile, true);
        PressInGrid(form, Qt::Key_Help, Qt::ShiftModifier);
        QCOMPARE(Peek(form).View.CursorDay, Today);
    }

    void CellsAreDrawnInTheirPlatoonsColors_data() {
        QTest::addColumn<QByteArray>("more");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("fill");
        QTest::addColumn<QColor>("text"); // invalid: the number does not show
        const QColor white(Qt::white);
        const QColor silver(0xC0, 0xC0, 0xC0);
        const QColor red(Qt::red);
        const QColor lime(Qt::green);
        const QColor blue(Qt::blue);
        const QColor black(Qt::black);
        // March 2024 from 1 March with ACABABABCBCACACABABCBCBC: 1 A, 2 C, 4 B, 15 C.
        QTest::newRow("cursor day, inverse") << QByteArray() << 5 << 2 << lime << black;
        QTest::newRow("1 March, A") << QByteArray() << 5 << 0 << white << red;
        QTest::newRow("2 March, C") << QByteArray() << 6 << 0 << white << lime;
        QTest::newRow("4 March, B") << QByteArray() << 1 << 1 << white << blue;
        QTest::newRow("25 February, leading") << QByteArray() << 0 << 0 << white << silver;
        QTest::newRow("6 April, trailing") << QByteArray() << 6 << 5 << white << silver;
        QTest::newRow("leading days hidden")
            << QByteArray("[Config]\nShowLeading=0\n") << 0 << 0 << white << QColor();
        QTest::newRow("cursor not highlighted")
            << QByteArray("[Config]\nHiliteCurrent=0\n") << 5 << 2 << white << lime;
        QTest::newRow("background in the $ form")
            << QByteArray("BkGr=$FF8000\n") << 5 << 0 << QColor(255, 128, 0) << red;
        QTest::newRow("leading color Maroon")
            << QByteArray("LdTr=Maroon\n") << 0 << 0 << white << QColor(128, 0, 0);
    }
    void CellsAreDrawnInTheirPlatoonsColors() {
        QFETCH(QByteArray, more);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QColor, fill);
        QFETCH(QColor, text);
        run->WriteSettings(ClassicSettings + more);
        TMainForm& form = run->Start();
        const QImage grid = Peek(form).dgCal->grab().toImage();
        const QRect cell = Peek(form).dgCal->CellRect(column, row);
        QCOMPARE(grid.pixelColor(cell.topLeft() + QPoint(1, 1)), fill);
        QCOMPARE(grid.pixelColor(cell.bottomRight() - QPoint(1, 1)), fill);
        if (text.isValid())
            QVERIFY2(PixelsOf(grid, cell, text) > 5, qPrintable(text.name()));
        else
            QCOMPARE(PixelsOf(grid, cell, fill), cell.width() * cell.height());
    }

    void DaysBeforeTheStartAreDrawnLikeLeadingDays() {
        QByteArray ini = ClassicSettings;
        ini.replace("StartDate=3/1/2024", "StartDate=3/20/2024");
        run->WriteSettings(ini);
        TMainForm& form = run->Start();
        const QImage grid = Peek(form).dgCal->grab().toImage();
        const QColor white(Qt::white);
        const QColor silver(0xC0, 0xC0, 0xC0);
        // The cursor day lies before the start: silver filled, white number.
        const QRect cursor = Peek(form).dgCal->CellRect(5, 2);
        QCOMPARE(grid.pixelColor(cursor.topLeft() + QPoint(1, 1)), silver);
        QVERIFY(PixelsOf(grid, cursor, white) > 5);
        const QRect first = Peek(form).dgCal->CellRect(5, 0);
        QVERIFY(PixelsOf(grid, first, silver) > 5);
        // With the cursor on or before the start the neighbouring months vanish.
        const QRect leading = Peek(form).dgCal->CellRect(0, 0);
        QCOMPARE(PixelsOf(grid, leading, white), leading.width() * leading.height());
    }

    void CellsAreSeparatedByLinesAndCentredOnTheirSize() {
        run->WriteSettings(ClassicSettings);
        TMainForm& form = run->Start();
        const QImage grid = Peek(form).dgCal->grab().toImage();
        const QColor line = Peek(form).dgCal->palette().color(QPalette::Button);
        QCOMPARE(Peek(form).dgCal->CellRect(0, 0), QRect(2, 2, 33, 24));
        QCOMPARE(Peek(form).dgCal->CellRect(6, 5), QRect(2 + 6 * 34, 2 + 5 * 25, 33, 24));
        QCOMPARE(grid.pixelColor(35, 10), line);
        QCOMPARE(grid.pixelColor(10, 26), line);

        // The number 1 of March is centred in its 33 x 24 cell.
        const QRect cell = Peek(form).dgCal->CellRect(5, 0);
        int left = cell.right();
        int right = cell.left();
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                if (grid.pixelColor(x, y) != QColor(Qt::white)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        // " 1": the blank leaves the digit right of the middle.
        QVERIFY(left > cell.left() + 12);
        QVERIFY(right < cell.right() - 5);
    }

    void PanelsPaintEveryFormOfColor_data() {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("color");
        const QColor behind(Qt::magenta);
        QTest::newRow("red") << 0x000000FFu << QColor(255, 0, 0);
        QTest::newRow("teal") << 0x00808000u << QColor(0, 128, 128);
        QTest::newRow("$FF8000") << 0x020080FFu << QColor(255, 128, 0);
        QTest::newRow("BtnFace") << 0xFF00000Fu << QColor(1, 2, 3);
        QTest::newRow("Window") << 0xFF000005u << QColor(4, 5, 6);
        QTest::newRow("Highlight") << 0xFF00000Du << QColor(7, 8, 9);
        QTest::newRow("index 25") << 0xFF000019u << QColor(Qt::black);
        QTest::newRow("index 255") << 0xFF0000FFu << QColor(Qt::black);
        QTest::newRow("None shows what lies behind") << 0x1FFFFFFFu << behind;
    }
    void PanelsPaintEveryFormOfColor() {
        QFETCH(uint, value);
        QFETCH(QColor, color);
        QWidget behind;
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::magenta);
        palette.setColor(QPalette::Button, QColor(1, 2, 3));
        palette.setColor(QPalette::Base, QColor(4, 5, 6));
        palette.setColor(QPalette::Highlight, QColor(7, 8, 9));
        behind.setPalette(palette);
        behind.setAutoFillBackground(true);
        behind.resize(60, 40);
        Panel panel(Panel::Bevel::Raised, Qt::AlignCenter, &behind);
        panel.setGeometry(10, 5, 33, 25);
        panel.SetFill(value);
        const QImage shot = behind.grab().toImage();
        QCOMPARE(shot.pixelColor(13, 8), color);
        QCOMPARE(shot.pixelColor(5, 2), QColor(Qt::magenta));
    }
};

QTEST_MAIN(MonthPreviewTest)
#include "MonthPreviewTest.moc"
