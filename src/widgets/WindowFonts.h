#pragma once

#include "rotation/MonthView.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <unordered_map>

#include <optional>

namespace kestro {

// The window's own font, "MS Sans Serif" at 11 pixels, the face and size the pixel layout of the
// main window was made for; it does not follow the desktop's text size. The face is looked for
// as Arial (Liberation Sans), whose widths come closest, and otherwise is the desktop's
// sans-serif, which may be wide enough for a label to run under the field beside it.
QFont WindowFont();
QFont BoldWindowFont();

// Point sizes of the settings file are taken at 96 dots per inch, so that the 12-point preview
// fonts fill the 33 x 24 cells the same on every screen (high-DPI scaling works on top of this).
int PointsToPixels(int points);

// A preview font (month header, day numbers) by name, style and size; a name the desktop lacks
// falls back to a sans-serif face.
QFont PreviewFont(const FontDescription& description);

// The day numbers' font, made again only when its description changes, and each caption laid out
// once in it: a frame of the month grid draws 42 captions, and every frame the same few.
class CellFontCache {
public:
    const QFont& Font(const FontDescription& description);
    // Of the font last returned by Font: the height of a line, and the width of a caption as
    // QFontMetrics::horizontalAdvance gives it (for captions without trailing blanks).
    int Height() const { return metrics_->height(); }
    int Width(const QString& caption);
    // Draws the caption at the top left of rect, pixel for pixel as QPainter::drawText(rect,
    // Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption) does, without laying it out
    // again.
    void Draw(QPainter& painter, const QRect& rect, const QString& caption);

private:
    QTextLayout& Layout(const QString& caption);

    std::optional<FontDescription> description_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    std::unordered_map<QString, std::unique_ptr<QTextLayout>> layouts_;
};

} // namespace kestro
