// The printed calendar read back by poppler, and the dialogs of the sharing commands driven by
// keys.
#include "sharing/CalendarExportDialog.h"
#include "sharing/YearCalendarPainter.h"
#include "sharing/YearsDialog.h"
#include "support/DateFormats.h"
#include "support/Files.h"
#include "support/PdfTools.h"
#include "support/Pixels.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace kestro;
using namespace kestro::test;

namespace {

constexpr ColorValue Yellow = 0x00FFFF; // as BkGr, so that a day before the start stands out

// The classic rotation from 1 March 2024: A red, B blue, C lime.
YearCalendarSource Classic(YearRange years, PaperSize paper) {
    YearCalendarSource source;
    source.settings = AbsentKeyDefaults();
    source.settings.StartDay = Day(1, 3, 2024);
    source.settings.BkGr = Yellow;
    source.format = DefaultShortDateFormat();
    source.settingsFile = QStringLiteral("/srv/Dunmarek.ini");
    source.years = years;
    source.paper = paper;
    return source;
}

// The rectangle, in pixels at dpi, of the first item of a kind (and day) on the page.
QRect PixelsOfItem(const YearCalendarPage& page, PageItemKind kind, int dpi,
                   DayNumber day = InvalidDay, const QString& text = {}) {
    for (const PageItem& item : page.items) {
        if (item.kind == kind && item.day == day && (text.isEmpty() || item.text == text)) {
            const double scale = dpi / 72.0;
            return QRectF(item.rect.topLeft() * scale, item.rect.size() * scale).toAlignedRect();
        }
    }
    return {};
}

// Inside the rectangle, away from its text and its edges.
QColor CornerColor(const QImage& image, const QRect& rect) {
    return image.pixelColor(rect.topLeft() + QPoint(3, 3));
}

// The pixels of the rectangle near the color: a number drawn in it.
int PixelsNearColor(const QImage& image, const QRect& rect, QColor color) {
    return PixelsNear(image.copy(rect), color.rgb(), 20);
}

} // namespace

class SharingTest : public QObject {
    Q_OBJECT

private slots:
    void PdfReadsBackAsTheLayoutSays() {
        if (!HavePdfTools())
            QSKIP(MissingPdfTools);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("year.pdf"));
        const YearCalendarSource source = Classic({2024, 2024}, PaperSize::A4);
        WriteBytes(file, YearCalendarPdf(source));

        // Searchable: the month names, whole weeks of day numbers, the legend and the footer.
        const QString text = PdfText(file).value_or(QString());
        for (const QString& month : DefaultShortDateFormat().longMonthNames)
            QVERIFY2(text.contains(month), qPrintable(month));
        for (const char* line : {"Shift calendar 2024", "24 +25 +26 +27 +28 +29 +30",
                                 "A: 8 of 24 days", "Rotation ACABABABCBCACACABABCBCBC"})
            QVERIFY2(text.contains(QRegularExpression(QLatin1String(line))), line);

        constexpr int dpi = 72;
        const std::optional<QImage> image = PdfPage(file, dpi);
        QVERIFY(image);
        QCOMPARE(image->size(), QSize(842, 595));
        const YearCalendarPage page =
            LayOutYearCalendar(source, 2024, LandscapeSheet(PaperSize::A4));
        const QRect firstOfMarch = PixelsOfItem(page, PageItemKind::Day, dpi, Day(1, 3, 2024));
        QCOMPARE(CornerColor(*image, firstOfMarch), QColor(Qt::red));
        QVERIFY(PixelsNearColor(*image, firstOfMarch, Qt::white) > 5); // the number, inverse
        const QRect second = PixelsOfItem(page, PageItemKind::Day, dpi, Day(2, 3, 2024));
        QCOMPARE(CornerColor(*image, second), QColor(Qt::green));
        QVERIFY(PixelsNearColor(*image, second, Qt::black) > 5);
        const QRect beforeStart = PixelsOfItem(page, PageItemKind::Day, dpi, Day(15, 2, 2024));
        QCOMPARE(CornerColor(*image, beforeStart), QColor(Qt::yellow));
        QVERIFY(PixelsNearColor(*image, beforeStart, QColor(0xC0, 0xC0, 0xC0)) > 5); // LdTr
        const QRect legendB =
            PixelsOfItem(page, PageItemKind::LegendSwatch, dpi, InvalidDay, QStringLiteral("B"));
        QCOMPARE(CornerColor(*image, legendB), QColor(Qt::blue));
    }

    void YearsDialogMovesTheOtherYearAlongAndEnterPressesTheFocusedButton() {
        YearsDialog dialog({QStringLiteral("Print"), {2027, 2027}}, nullptr);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
        QCOMPARE(dialog.Years(), (YearRange{2027, 2027}));
        dialog.firstYear->setValue(2030);
        QCOMPARE(dialog.Years(), (YearRange{2030, 2030}));
        dialog.firstYear->setValue(1900);
        QTest::keyClick(dialog.lastYear, Qt::Key_Return); // the default button, OK, refuses

        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.problem->isVisibleTo(&dialog));
        QCOMPARE(dialog.problem->text(),
                 QStringLiteral("At most 100 years at a time, one page each."));
        dialog.firstYear->setValue(2029);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Years(), (YearRange{2029, 2030}));

        YearsDialog cancelled({QStringLiteral("Export PDF"), {2024, 2024}}, nullptr);
        cancelled.show();
        QPushButton* cancel =
            cancelled.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Enter);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
        QVERIFY(!cancelled.isVisible());
    }

    void CalendarExportDialogReadsItsFieldsAndStaysOpenUntilTheyAreRight() {
        ScheduleSettings settings = AbsentKeyDefaults();
        settings.StartDay = Day(1, 3, 2024);
        const CalendarExportRequest request =
            MakeCalendarExportRequest(settings, Day(15, 3, 2024), DefaultShortDateFormat(), 2024);
        CalendarExportDialog dialog(request, nullptr);
        dialog.show();
        QCOMPARE(dialog.platoons.size(), std::size_t(3));
        for (QCheckBox* box : dialog.platoons)
            QVERIFY(box->isChecked());
        QCOMPARE(dialog.platoons[1]->text(), QStringLiteral("Platoon &B"));
        QCOMPARE(dialog.from->text(), QStringLiteral("3/15/2024"));
        QVERIFY(dialog.until->text().isEmpty());

        QTest::keyClick(dialog.platoons[1], Qt::Key_Space); // B off
        dialog.until->setFocus();
        QTest::keyClicks(dialog.until, QStringLiteral("12/32/2024"));
        QTest::keyClick(dialog.until, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.problem->text().startsWith(QStringLiteral("Until: \"12/32/2024\"")));
        dialog.until->clear();
        QTest::keyClicks(dialog.until, QStringLiteral("2024-12-31"));
        dialog.eventText->selectAll();
        QTest::keyClicks(dialog.eventText, QStringLiteral("Shift {letter}"));
        QTest::keyClick(dialog.eventText, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.choice);
        QCOMPARE(*dialog.choice,
                 (CalendarExportChoice{QStringLiteral("AC"), Day(15, 3, 2024), Day(31, 12, 2024),
                                       QStringLiteral("Shift {letter}")}));

        CalendarExportDialog cancelled(request, nullptr);
        cancelled.show();
        QPushButton* cancel =
            cancelled.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
        QVERIFY(!cancelled.choice);
    }
};

QTEST_MAIN(SharingTest)
#include "SharingTest.moc"
