#include "support/MainFormHarness.h"

#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"
#include "widgets/UpDownArrows.h"
#include "widgets/WindowFonts.h"

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

using namespace kestro;
using namespace kestro::test;

namespace {

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class MainFormStartupTest : public FormTest {
    Q_OBJECT

private slots:
    void StartsOnTheSettingsFileItFinds() {
        run->WriteSettings(ClassicSettings);
        TMainForm& form = run->Start();

        QCOMPARE(form.windowTitle(), QStringLiteral("Kestro: editing Dunmarek.ini"));
        QCOMPARE(Peek(form).Startup.SettingsPath, run->SettingsFile());
        QCOMPARE(Peek(form).eNumPlt->text(), QStringLiteral("3"));
        QCOMPARE(Peek(form).eRotDays->text(), QStringLiteral("24"));
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("ACABABABCBCACACABABCBCBC"));
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).eRetreatDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).Settings.StartDay, Day(1, 3, 2024));
        QCOMPARE(Peek(form).Settings.PlatoonColors[u'C'], (ColorPair{0x00FF00, 0x000000}));
        QCOMPARE(Peek(form).View.CursorDay, Day(15, 3, 2024));
        QCOMPARE(Peek(form).View.ReturnDay, Day(15, 3, 2024));
        QCOMPARE(Peek(form).View.LowestDay, Day(1, 1, 1700));
        QCOMPARE(Peek(form).View.HighestDay, Day(1, 1, 3000));
        QCOMPARE(VisibleRowCaptions(form),
                 (QStringList{QStringLiteral("&A Platoon"), QStringLiteral("&B Platoon"),
                              QStringLiteral("&C Platoon")}));
        QCOMPARE(Peek(form).lColor->text(), QString());
        QVERIFY(!Peek(form).SettingsModified);
        QVERIFY(!Peek(form).BackgroundChanged);
        QVERIFY(!Peek(form).ColorsShown);
    }

    void StartsOnStartUpValuesWithoutAFile_data() {
        QTest::addColumn<bool>("subFolder");
        QTest::addColumn<QString>("caption");
        QTest::newRow("sub-folder without the file")
            << true << QStringLiteral("Kestro: editing Dunmarek.ini");
        QTest::newRow("nothing found") << false << QStringLiteral("Kestro: editing ");
    }
    void StartsOnStartUpValuesWithoutAFile() {
        QFETCH(bool, subFolder);
        QFETCH(QString, caption);
        if (subFolder)
            run->MakeSubFolder();
        TMainForm& form = run->Start();

        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(Peek(form).Startup.SettingsPath, subFolder ? run->SettingsFile() : QString());
        QCOMPARE(Peek(form).Settings, NoFileSettings(Day(1, 3, 2024)));
        QCOMPARE(Peek(form).eNumPlt->text(), QStringLiteral("3"));
        QCOMPARE(Peek(form).eRotDays->text(), QStringLiteral("3"));
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("ABC"));
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).eRetreatDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).View.CursorDay, Day(15, 3, 2024));
        QCOMPARE(Peek(form).View.ReturnDay, Day(15, 3, 2024));
        QCOMPARE(VisibleRowCaptions(form).size(), 3);
        QVERIFY(!Peek(form).SettingsModified);
    }

    // A settings file that is there but cannot be read is named with the reason, once, and the
    // editor starts as without a file.
    void TellsWhyTheFileCouldNotBeReadAndStartsAsWithout() {
        QVERIFY(QDir().mkpath(run->SettingsFile()));
        run->prompts.ExpectMessage(QStringLiteral("Could not read ") + run->SettingsFile() +
                                   QStringLiteral("\nIt is a folder, not a file"));
        TMainForm& form = run->Start();
        QCOMPARE(Peek(form).Settings, NoFileSettings(Day(1, 3, 2024)));
        QCOMPARE(form.windowTitle(), QStringLiteral("Kestro: editing Dunmarek.ini"));
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("ABC"));
        QVERIFY(!Peek(form).SettingsModified);
    }

    void NamesTheCurrentMonthInItsHeader_data() {
        QTest::addColumn<QByteArray>("more");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("color");
        QTest::newRow("defaults") << QByteArray() << QStringLiteral("March 2024")
                                  << QColor(Qt::black);
        QTest::newRow("short name") << QByteArray("[Config]\nFullMonthName=0\n")
                                    << QStringLiteral("Mar 2024") << QColor(Qt::black);
        QTest::newRow("no year, red")
            << QByteArray("[Config]\nShowYear=0\n[Fonts]\nHdrFontColor=red\n")
            << QStringLiteral("March") << QColor(Qt::red);
    }
    void NamesTheCurrentMonthInItsHeader() {
        QFETCH(QByteArray, more);
        QFETCH(QString, caption);
        QFETCH(QColor, color);
        run->WriteSettings(ClassicSettings + more);
        TMainForm& form = run->Start();
        QCOMPARE(Peek(form).pHeader->accessibleDescription(), caption);
        // The caption is drawn at the top, between the Today button and the arrows.
        const QImage header = Peek(form).pHeader->grab().toImage();
        int captionPixels = 0;
        for (int y = 0; y < header.height(); ++y) {
            for (int x = 30; x < 215; ++x)
                captionPixels += header.pixelColor(x, y) == color;
        }
        QVERIFY2(captionPixels > 20, qPrintable(QString::number(captionPixels)));
        for (int x = 30; x < 215; ++x)
            QVERIFY(header.pixelColor(x, 30) != color);
    }

    void TellsOfAnUnreadableStartDate() {
        QByteArray ini = ClassicSettings;
        ini.replace("StartDate=3/1/2024", "StartDate=2/30/2024");
        run->WriteSettings(ini);
        run->prompts.ExpectMessage(QStringLiteral("Invalid start date!\nUsing first of month..."));
        TMainForm& form = run->Start();
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).Settings.StartDay, Day(1, 3, 2024));
        QVERIFY(!Peek(form).SettingsModified);
    }

    void TellsOnceOfValuesCutAtLoad() {
        QByteArray ini = ClassicSettings;
        ini.replace("ShiftRotation=ACABABABCBCACACABABCBCBC",
                    "ShiftRotation=" + QByteArray(3000, 'A'));
        run->WriteSettings(ini);
        run->prompts.ExpectMessage(QStringLiteral(
            "These settings in the file are longer than 2047 characters, and only their first "
            "2047 characters are shown: ShiftRotation.\nSaving keeps their full values in the "
            "file unless you change them."));
        TMainForm& form = run->Start();
        QCOMPARE(Peek(form).eRotation->text(), QString(2047, u'A'));
        QVERIFY(!Peek(form).SettingsModified);
    }

    void TakesTheFileNamedOnTheCommandLine() {
        const QString file = run->dir.filePath(QStringLiteral("Station 4.ini"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(ClassicSettings);
        out.close();
        run->WriteSettings("[Shift Schedule]\nNumberOfPlatoons=5\n");
        TMainForm& form = run->Start({QStringLiteral("-i") + file});
        QCOMPARE(form.windowTitle(), QStringLiteral("Kestro: editing Station 4.ini"));
        QCOMPARE(Peek(form).eRotDays->text(), QStringLiteral("24"));
    }

    void CaptionsAndRowsFollowTheLetterFamily_data() {
        QTest::addColumn<QByteArray>("schedule");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("firstPanel");
        QTest::newRow("digits, 6 platoons")
            << QByteArray("NumberOfPlatoons=6\nShiftRotation=123456\n")
            << QStringList{QStringLiteral("Platoon &1"), QStringLiteral("Platoon &2"),
                           QStringLiteral("Platoon &3"), QStringLiteral("Platoon &4"),
                           QStringLiteral("Platoon &5"), QStringLiteral("Platoon &6")}
            << QStringLiteral("1");
        QTest::newRow("color letters K and R, in lower case")
            << QByteArray("NumberOfPlatoons=6\nShiftRotation=kkrr\n")
            << QStringList{QStringLiteral("Black"), QStringLiteral("Red")} << QStringLiteral("Blk");
        QTest::newRow("letters, 1 platoon")
            << QByteArray("NumberOfPlatoons=1\nShiftRotation=AB\n")
            << QStringList{QStringLiteral("&A Platoon"), QStringLiteral("&B Platoon")}
            << QStringLiteral("A");
        QTest::newRow("letters, 4 platoons")
            << QByteArray("NumberOfPlatoons=4\nShiftRotation=ABCD\n")
            << QStringList{QStringLiteral("&A Platoon"), QStringLiteral("&B Platoon"),
                           QStringLiteral("&C Platoon"), QStringLiteral("&D Platoon")}
            << QStringLiteral("A");
        QTest::newRow("letters, 9 platoons")
            << QByteArray("NumberOfPlatoons=9\nShiftRotation=ABCDEF\n")
            << QStringList{QStringLiteral("&A Platoon"), QStringLiteral("&B Platoon"),
                           QStringLiteral("&C Platoon"), QStringLiteral("&D Platoon"),
                           QStringLiteral("&E Platoon"), QStringLiteral("F Platoon")}
            << QStringLiteral("A");
        QTest::newRow("color letters, none of them shown")
            << QByteArray("NumberOfPlatoons=3\nShiftRotation=GHHH\n")
            << QStringList{QStringLiteral("Green")} << QStringLiteral("Blk");
    }
    void CaptionsAndRowsFollowTheLetterFamily() {
        QFETCH(QByteArray, schedule);
        QFETCH(QStringList, rows);
        QFETCH(QString, firstPanel);
        run->WriteSettings("[Shift Schedule]\nStartDate=3/1/2024\n" + schedule);
        TMainForm& form = run->Start();
        QCOMPARE(VisibleRowCaptions(form), rows);
        // The panels' captions name them; their descriptions are their colors.
        QCOMPARE(Peek(form).pPlt[0]->accessibleName(), firstPanel + QStringLiteral(" color"));
        QCOMPARE(Peek(form).pInv[0]->accessibleName(),
                 firstPanel + QStringLiteral(" inverse color"));
        // A row is shown or hidden as a whole.
        for (std::size_t row = 0; row < 6; ++row) {
            QCOMPARE(Peek(form).pPlt[row]->isHidden(), Peek(form).bPlt[row]->isHidden());
            QCOMPARE(Peek(form).pInv[row]->isHidden(), Peek(form).bPlt[row]->isHidden());
        }
    }

    void PlacesEveryControl() {
        TMainForm& form = run->Start();
        const struct {
            QWidget* control;
            QRect geometry;
            QString caption;
        } controls[] = {
            {Peek(form).eNumPlt, {120, 5, 33, 21}, {}},
            {Peek(form).eRotDays, {120, 37, 33, 21}, {}},
            {Peek(form).eStartDate, {92, 69, 89, 21}, {}},
            {Peek(form).eRotation, {91, 101, 155, 21}, {}},
            {Peek(form).bApply, {24, 144, 105, 25}, QStringLiteral("&Apply &Rotation")},
            {Peek(form).bColors, {144, 144, 83, 25}, QStringLiteral("&Set Colors")},
            {Peek(form).pHeader, {6, 176, 242, 41}, {}},
            {Peek(form).bToday, {6, 4, 21, 21}, QStringLiteral("&T")},
            {Peek(form).udMon, {220, 4, 17, 21}, {}},
            {Peek(form).dgCal, {6, 220, 242, 155}, {}},
            {Peek(form).bRetreat, {280, 8, 121, 25}, QStringLiteral("Retreat Start Date")},
            {Peek(form).eRetreatDate, {280, 40, 121, 21}, {}},
            {Peek(form).bBkGr, {280, 136, 75, 25}, QStringLiteral("Background")},
            {Peek(form).pBkGr, {368, 136, 33, 25}, {}},
            {Peek(form).pLdTr, {408, 136, 33, 25}, {}},
        };
        for (const auto& c : controls) {
            QCOMPARE(c.control->geometry(), c.geometry);
            if (const auto* button = qobject_cast<QPushButton*>(c.control))
                QCOMPARE(button->text(), c.caption);
        }
        for (int row = 0; row < 6; ++row) {
            const int top = 168 + 32 * row;
            QCOMPARE(Peek(form).bPlt[std::size_t(row)]->geometry(), QRect(280, top, 75, 25));
            QCOMPARE(Peek(form).pPlt[std::size_t(row)]->geometry(), QRect(368, top, 33, 25));
            QCOMPARE(Peek(form).pInv[std::size_t(row)]->geometry(), QRect(408, top, 33, 25));
            QVERIFY(Peek(form).pPlt[std::size_t(row)]->font().bold());
        }
        QCOMPARE(Peek(form).bToday->parentWidget(), Peek(form).pHeader);
        QCOMPARE(Peek(form).udMon->parentWidget(), Peek(form).pHeader);
        QCOMPARE(Peek(form).dgCal->cellSize, QSize(33, 24));

        const struct {
            QLabel* label;
            QPoint position;
            QString caption;
            QWidget* field; // the label ends before it
        } labels[] = {
            {Peek(form).Label1,
             {12, 8},
             QStringLiteral("Number of Platoons: "),
             Peek(form).eNumPlt},
            {Peek(form).Label2,
             {12, 40},
             QStringLiteral("Days in Rotation: "),
             Peek(form).eRotDays},
            {Peek(form).Label4, {12, 72}, QStringLiteral("Start Date: "), Peek(form).eStartDate},
            {Peek(form).Label3,
             {12, 104},
             QStringLiteral("Shift Rotation: "),
             Peek(form).eRotation},
        };
        for (const auto& l : labels) {
            QCOMPARE(l.label->pos(), l.position);
            QCOMPARE(l.label->text(), l.caption);
            QVERIFY2(l.label->x() + QFontMetrics(l.label->font()).horizontalAdvance(l.caption) <=
                         l.field->x(),
                     qPrintable(l.caption));
            QCOMPARE(l.field->accessibleName(), l.caption.trimmed().chopped(1));
        }
        QCOMPARE(Peek(form).lColor->pos(), QPoint(280, 114));
    }

    void UsesTheLayoutFonts() {
        run->WriteSettings(ClassicSettings);
        TMainForm& form = run->Start();
        const QFontInfo window(Peek(form).eNumPlt->font());
        QCOMPARE(window.pixelSize(), 11);
        QCOMPARE(window.family(), QStringLiteral("Liberation Sans"));
        QVERIFY(!window.bold());
        QVERIFY(QFontInfo(Peek(form).pPlt[0]->font()).bold());

        const QFont cells = PreviewFont(CellFont(Peek(form).Settings));
        QCOMPARE(QFontInfo(cells).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(cells).pixelSize(), 16);
        QVERIFY(QFontInfo(cells).bold());
        QVERIFY(QFontMetrics(cells).inFont(QLatin1Char('7')));
    }

    void SizesAndPlacesTheWindow() {
        TMainForm& form = run->Start();
        const QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        QCOMPARE(form.pos(), QPoint(screen->geometry().width() - 484, 10));
        QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.centralWidget()->size(), QSize(253, 377));
        const int menu = form.menuBar()->height();
        QCOMPARE(form.minimumSize(), QSize(240, menu + 377));
        QCOMPARE(form.maximumSize(), QSize(453, menu + 389));
        // The color area lies beyond the window's width.
        QVERIFY(Peek(form).bRetreat->x() >= form.centralWidget()->width());
        const QColor face = form.palette().color(QPalette::Button);
        QCOMPARE(form.centralWidget()->grab().toImage().pixelColor(2, 140), face);
    }

    void HasTheFilePlanAndHelpMenus() {
        TMainForm& form = run->Start();
        const QList<QAction*> menus = form.menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Plan"));
        QCOMPARE(menus[2]->text(), QStringLiteral("&Help"));
        QCOMPARE(MenuTexts(menus[1]->menu()), QStringList({QStringLiteral("&Common Rotations..."),
                                                           QStringLiteral("&Preview Change..."),
                                                           QStringLiteral("&Year Summary...")}));
        QCOMPARE(MenuTexts(menus[0]->menu()),
                 (QStringList{QStringLiteral("&New"), QStringLiteral("&Ini File..."),
                              QStringLiteral("&Save"), QStringLiteral("Save &As..."),
                              QStringLiteral("-"), QStringLiteral("Export &Calendar..."),
                              QStringLiteral("Export P&DF..."), QStringLiteral("&Print..."),
                              QStringLiteral("-"), QStringLiteral("E&xit")}));
        QCOMPARE(MenuTexts(menus[2]->menu()),
                 (QStringList{QStringLiteral("&Contents"), QStringLiteral("&About...")}));
        for (const QAction* action : menus[0]->menu()->actions())
            QVERIFY(action->shortcut().isEmpty());
    }

    // The color area is made once the first frame is painted, and then looks as one made at
    // once because something needed it.
    void MakesTheColorAreaAfterTheFirstFrame() {
        const auto made = [](TMainForm& form) {
            return form.findChild<QLineEdit*>(QStringLiteral("eRetreatDate")) != nullptr;
        };
        run->WriteSettings(ClassicSettings);
        TMainForm& later = run->Start();
        QVERIFY(!made(later));
        later.show();
        QVERIFY(QTest::qWaitForWindowExposed(&later));
        QTRY_VERIFY(made(later));

        FormRun other;
        other.WriteSettings(ClassicSettings);
        TMainForm& atOnce = other.Start();
        Peek(atOnce);
        atOnce.show();
        QVERIFY(QTest::qWaitForWindowExposed(&atOnce));
        const QRect area(280, 0, ClientWidthColorsShown - 280, ClientHeight);
        for (TMainForm* form : {&later, &atOnce})
            form->resize(ClientWidthColorsShown, form->height());
        QCOMPARE(later.centralWidget()->grab(area).toImage(),
                 atOnce.centralWidget()->grab(area).toImage());
    }

    // A window wide enough to show the color area has it in its first frame.
    void MakesTheColorAreaBeforeAFirstFrameThatShowsIt() {
        TMainForm& form = run->Start();
        form.resize(ClientWidthColorsShown, form.height());
        form.show(); // no event processed yet
        const auto* background = form.findChild<QPushButton*>(QStringLiteral("bBkGr"));
        QVERIFY(background != nullptr && background->isVisible());
        QCOMPARE(VisibleRowCaptions(form).size(), 3);
        QCOMPARE(Peek(form).eRetreatDate->text(), Peek(form).eStartDate->text());
    }

    void OpensWithTheFocusInTheGridAndTabsInOrder() {
        run->WriteSettings(ClassicSettings);
        TMainForm& form = run->StartShown();
        QCOMPARE(QApplication::focusWidget(), Peek(form).dgCal);

        Peek(form).eNumPlt->setFocus();
        QWidget* const expected[] = {
            Peek(form).eRotDays, Peek(form).eStartDate,   Peek(form).eRotation, Peek(form).bApply,
            Peek(form).bColors,  Peek(form).eRetreatDate, Peek(form).bRetreat,  Peek(form).bBkGr,
            Peek(form).bPlt[0],  Peek(form).bPlt[1],      Peek(form).bPlt[2],   Peek(form).bToday,
            Peek(form).dgCal,    Peek(form).eNumPlt};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }
};

QTEST_MAIN(MainFormStartupTest)
#include "MainFormStartupTest.moc"
