#include "widgets/WindowFonts.h"

#include <QStringList>

namespace kestro {

QFont WindowFont() {
    const QString family = QStringLiteral("MS Sans Serif");
    if (QFont::substitutes(family).isEmpty()) {
        QFont::insertSubstitutions(family,
                                   {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    }
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

} // namespace kestro
