#include "widgets/WindowFonts.h"

#include <QFontDatabase>
#include <QPainter>
#include <QStringList>

namespace kestro {

namespace {

// The line width QPainter::drawText gives a line that does not wrap.
constexpr qreal UnboundedLineWidth = 0x01000000;

// The window font's faces, best first.
const char* const WindowFamilies[] = {"MS Sans Serif", "Arial", "Liberation Sans"};

// The first face of the list that the font database holds, asked for by that name: for a name it
// lacks, Qt asks fontconfig for its fallbacks, the slowest part of the first frame, even when a
// later substitute is there. Without any of them, the font asks for the first name, which falls
// through the substitutes to the desktop's sans-serif as before.
QString WindowFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const char* wanted : WindowFamilies) {
        const QString name = QString::fromLatin1(wanted);
        const QString qualified = name + QStringLiteral(" [");
        for (const QString& family : installed) {
            // Held by several foundries, a family is listed once for each as "Family [Foundry]".
            if (family.compare(name, Qt::CaseInsensitive) == 0 ||
                family.startsWith(qualified, Qt::CaseInsensitive))
                return name;
        }
    }
    return QString::fromLatin1(WindowFamilies[0]);
}

} // namespace

QFont WindowFont() {
    const QString first = QString::fromLatin1(WindowFamilies[0]);
    if (QFont::substitutes(first).isEmpty()) {
        QFont::insertSubstitutions(first, {QString::fromLatin1(WindowFamilies[1]),
                                           QString::fromLatin1(WindowFamilies[2])});
    }
    static const QString family = WindowFamily();
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

QFont BoldWindowFont() {
    QFont font = WindowFont();
    font.setBold(true);
    return font;
}

int PointsToPixels(int points) {
    return (points * 96 + 36) / 72;
}

QFont PreviewFont(const FontDescription& description) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    if (!description.name.isEmpty())
        font.setFamily(description.name);
    font.setBold(description.style.bold);
    font.setItalic(description.style.italic);
    font.setPixelSize(PointsToPixels(description.pointSize));
    return font;
}

const QFont& CellFontCache::Font(const FontDescription& description) {
    if (description_ != description) {
        description_ = description;
        font_ = PreviewFont(description);
        metrics_.emplace(font_);
        layouts_.clear();
    }
    return font_;
}

QTextLayout& CellFontCache::Layout(const QString& caption) {
    auto found = layouts_.find(caption);
    if (found == layouts_.end()) {
        // One line, laid out as QPainter::drawText lays out a line that does not wrap.
        auto layout = std::make_unique<QTextLayout>(caption, font_);
        QTextOption option;
        option.setWrapMode(QTextOption::ManualWrap);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        QTextLine line = layout->createLine();
        line.setLineWidth(UnboundedLineWidth);
        line.setPosition(QPointF(0, 0));
        layout->endLayout();
        found = layouts_.emplace(caption, std::move(layout)).first;
    }
    return *found->second;
}

int CellFontCache::Width(const QString& caption) {
    return qRound(Layout(caption).lineAt(0).horizontalAdvance());
}

void CellFontCache::Draw(QPainter& painter, const QRect& rect, const QString& caption) {
    const QTextLine line = Layout(caption).lineAt(0);
    // Clipped to the rectangle only when the text's own box does not fit in it, as drawText does.
    const bool clip =
        !QRectF(rect).contains(QRectF(rect.x(), rect.y(), line.naturalTextWidth(), line.height()));
    if (clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    line.draw(&painter, QPointF(rect.topLeft()));
    if (clip)
        painter.restore();
}

} // namespace kestro
