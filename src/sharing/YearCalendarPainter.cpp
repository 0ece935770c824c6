#include "sharing/YearCalendarPainter.h"

#include "base/SharedLibrary.h"
#include "sharing/PrintModule.h"
#include "widgets/ColorToQColor.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace kestro {
namespace {

// A text may shrink to this part of its size before it is cut short instead.
constexpr double SmallestShrink = 0.7;

QPageSize PageSizeOf(PaperSize paper) {
    return QPageSize(paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4);
}

QString DocumentTitle(const YearCalendarSource& source) {
    const YearRange years = source.years;
    return years.first == years.last
               ? YearCalendarTitle(years.first)
               : QStringLiteral("%1-%2").arg(YearCalendarTitle(years.first)).arg(years.last);
}

void PaintText(QPainter& painter, const PageItem& item, const QRectF& box, double scale,
               const QColor& color) {
    QFont font(item.fontFamily);
    font.setBold(item.bold);
    font.setItalic(item.italic);
    const int pixels = std::max(1, int(std::lround(item.pointSize * scale)));
    font.setPixelSize(pixels);
    QString text = item.text;
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > box.width()) {
        const double shrink = std::max(SmallestShrink, box.width() / width);
        font.setPixelSize(std::max(1, int(pixels * shrink)));
        text = QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width());
    }
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, int(item.alignment), text);
}

} // namespace

void PaintYearCalendarPage(QPainter& painter, const YearCalendarPage& page, double scale) {
    const QPalette palette = QGuiApplication::palette();
    for (const PageItem& item : page.items) {
        const QRectF box(item.rect.topLeft() * scale, item.rect.size() * scale);
        if (const std::optional<QColor> fill = PaintColor(item.fill, palette))
            painter.fillRect(box, *fill);
        if (item.text.isEmpty())
            continue;
        if (const std::optional<QColor> color = PaintColor(item.textColor, palette))
            PaintText(painter, item, box, scale, *color);
    }
}

bool PaintYearCalendars(QPagedPaintDevice& device, const YearCalendarSource& source) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSizeF sheet = device.pageLayout().fullRect(QPageLayout::Point).size();
    // The painter's origin is the sheet's corner: the layout keeps its own margins.
    const double scale = std::min(device.width() / sheet.width(), device.height() / sheet.height());
    for (int year = source.years.first; year <= source.years.last; ++year) {
        if (year != source.years.first && !device.newPage())
            return false;
        PaintYearCalendarPage(painter, LayOutYearCalendar(source, year, sheet), scale);
    }
    return painter.end();
}

QByteArray YearCalendarPdf(const YearCalendarSource& source) {
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(PageSizeOf(source.paper), QPageLayout::Landscape,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        writer.setTitle(DocumentTitle(source));
        writer.setCreator(QStringLiteral("Kestro"));
        if (!PaintYearCalendars(writer, source))
            return {};
    }
    return pdf;
}

QString PrintModuleFile() {
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(program).path() + u'/' + QLatin1StringView(PrintModuleName);
}

void ShowYearCalendarPrintPreview(QWidget* owner, const YearCalendarSource& source) {
    static SharedLibrary module(QFile::encodeName(PrintModuleFile()).constData());
    ShowPrintPreviewFunction* show = nullptr;
    if (!module.Find(PrintPreviewSymbol, show)) {
        QMessageBox::warning(owner, QStringLiteral("Print"),
                             QStringLiteral("Printing is not available: ") + module.Error());
        return;
    }
    show(owner, {PageSizeOf(source.paper), DocumentTitle(source),
                 [&source](QPagedPaintDevice& device) { PaintYearCalendars(device, source); }});
}

} // namespace kestro
