#include "widgets/ColorToQColor.h"

#include "colors/Contrast.h"

#include <QGuiApplication>

#include <array>

namespace kestro {
namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Windows system-color indices 0 to 30 and the palette role that stands in for each.
constexpr std::array<SystemRole, 31> kSystemRoles{{
    {QPalette::Active, QPalette::Button},            // 0 scroll bar
    {QPalette::Active, QPalette::Dark},              // 1 desktop background
    {QPalette::Active, QPalette::Highlight},         // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},       // 3 inactive caption
    {QPalette::Active, QPalette::Window},            // 4 menu background
    {QPalette::Active, QPalette::Base},              // 5 window background
    {QPalette::Active, QPalette::Shadow},            // 6 window frame
    {QPalette::Active, QPalette::WindowText},        // 7 menu text
    {QPalette::Active, QPalette::Text},              // 8 window text
    {QPalette::Active, QPalette::HighlightedText},   // 9 caption text
    {QPalette::Active, QPalette::Button},            // 10 active border
    {QPalette::Inactive, QPalette::Button},          // 11 inactive border
    {QPalette::Active, QPalette::Mid},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},         // 13 highlight background
    {QPalette::Active, QPalette::HighlightedText},   // 14 highlight text
    {QPalette::Active, QPalette::Button},            // 15 button face
    {QPalette::Active, QPalette::Dark},              // 16 button shadow
    {QPalette::Disabled, QPalette::Text},            // 17 gray text
    {QPalette::Active, QPalette::ButtonText},        // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    {QPalette::Active, QPalette::Light},             // 20 button highlight
    {QPalette::Active, QPalette::Shadow},            // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},       // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},       // 24 info background
    {QPalette::Active, QPalette::NoRole},            // 25 not defined
    {QPalette::Active, QPalette::Link},              // 26 hot light
    {QPalette::Active, QPalette::Highlight},         // 27 gradient active caption
    {QPalette::Inactive, QPalette::Highlight},       // 28 gradient inactive caption
    {QPalette::Active, QPalette::Highlight},         // 29 menu highlight
    {QPalette::Active, QPalette::Window},            // 30 menu bar
}};

// The palette's text role drawn on a background role.
QPalette::ColorRole TextRoleOn(QPalette::ColorRole background) {
    switch (background) {
    case QPalette::Button:
        return QPalette::ButtonText;
    case QPalette::Base:
    case QPalette::AlternateBase:
        return QPalette::Text;
    case QPalette::Highlight:
        return QPalette::HighlightedText;
    case QPalette::ToolTipBase:
        return QPalette::ToolTipText;
    default:
        return QPalette::WindowText;
    }
}

Rgb RgbOf(const QColor& color) {
    return {color.red(), color.green(), color.blue()};
}

} // namespace

QColor ColorToQColor(ColorValue color, const QPalette& palette) {
    const ColorValue form = color >> 24;
    if (form == 0x00u || form == 0x02u)
        return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
    if (IsSystemColor(color)) {
        const std::size_t index = color & 0xFFu;
        if (index >= kSystemRoles.size() || kSystemRoles[index].role == QPalette::NoRole)
            return QColor(Qt::black);
        return palette.color(kSystemRoles[index].group, kSystemRoles[index].role);
    }
    return QColor(Qt::transparent);
}

QColor ColorToQColor(ColorValue color) {
    return ColorToQColor(color, QGuiApplication::palette());
}

std::optional<QColor> PaintColor(ColorValue color, const QPalette& palette) {
    const QColor painted = ColorToQColor(color, palette);
    if (painted.alpha() == 0)
        return std::nullopt;
    return painted;
}

std::optional<QColor> ReadableTextColor(ColorValue text, bool userSet, ColorValue fill,
                                        const QPalette& palette, QPalette::ColorRole behind) {
    const std::optional<QColor> painted = PaintColor(text, palette);
    if (!painted || userSet)
        return painted;
    QPalette::ColorGroup group = QPalette::Active;
    QPalette::ColorRole role = behind;
    if (IsSystemColor(fill) && (fill & 0xFFu) < kSystemRoles.size()) {
        group = kSystemRoles[fill & 0xFFu].group;
        role = kSystemRoles[fill & 0xFFu].role;
    } else if (PaintColor(fill, palette)) {
        return painted; // a fill of the file's or the defaults', not the desktop's
    }
    if (role == QPalette::NoRole)
        return painted;
    const QColor desktopText = palette.color(group, TextRoleOn(role));
    const Rgb readable = kestro::ReadableTextColor(
        RgbOf(*painted), false, RgbOf(palette.color(group, role)), RgbOf(desktopText));
    return readable == RgbOf(*painted) ? *painted : desktopText;
}

} // namespace kestro
