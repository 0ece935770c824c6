#include "app/DesktopColors.h"

#include <array>

namespace kestro {

namespace {

using G = QPalette::ColorGroup;
using R = QPalette::ColorRole;

// Indexed by the Windows system-color index; entries with no Windows meaning are empty.
constexpr std::array<std::optional<PaletteEntry>, 0x1F> SystemColors{{
    PaletteEntry{G::Active, R::Button},            // 00 scroll bar
    PaletteEntry{G::Active, R::Dark},              // 01 desktop background
    PaletteEntry{G::Active, R::Highlight},         // 02 active caption
    PaletteEntry{G::Inactive, R::Highlight},       // 03 inactive caption
    PaletteEntry{G::Active, R::Window},            // 04 menu
    PaletteEntry{G::Active, R::Base},              // 05 window
    PaletteEntry{G::Active, R::Shadow},            // 06 window frame
    PaletteEntry{G::Active, R::WindowText},        // 07 menu text
    PaletteEntry{G::Active, R::Text},              // 08 window text
    PaletteEntry{G::Active, R::HighlightedText},   // 09 caption text
    PaletteEntry{G::Active, R::Button},            // 0A active border
    PaletteEntry{G::Inactive, R::Button},          // 0B inactive border
    PaletteEntry{G::Active, R::Mid},               // 0C application workspace
    PaletteEntry{G::Active, R::Highlight},         // 0D highlight
    PaletteEntry{G::Active, R::HighlightedText},   // 0E highlight text
    PaletteEntry{G::Active, R::Button},            // 0F button face
    PaletteEntry{G::Active, R::Dark},              // 10 button shadow
    PaletteEntry{G::Disabled, R::Text},            // 11 gray text
    PaletteEntry{G::Active, R::ButtonText},        // 12 button text
    PaletteEntry{G::Inactive, R::HighlightedText}, // 13 inactive caption text
    PaletteEntry{G::Active, R::Light},             // 14 button highlight
    PaletteEntry{G::Active, R::Shadow},            // 15 3D dark shadow
    PaletteEntry{G::Active, R::Midlight},          // 16 3D light
    PaletteEntry{G::Active, R::ToolTipText},       // 17 info text
    PaletteEntry{G::Active, R::ToolTipBase},       // 18 info background
    std::nullopt,                                  // 19 not used by Windows
    PaletteEntry{G::Active, R::Link},              // 1A hot light
    PaletteEntry{G::Active, R::Highlight},         // 1B gradient active caption
    PaletteEntry{G::Inactive, R::Highlight},       // 1C gradient inactive caption
    PaletteEntry{G::Active, R::Highlight},         // 1D menu highlight
    PaletteEntry{G::Active, R::Window},            // 1E menu bar
}};

} // namespace

std::optional<PaletteEntry> SystemColorEntry(int index) {
    if (index < 0 || index >= int(SystemColors.size()))
        return std::nullopt;
    return SystemColors[std::size_t(index)];
}

std::optional<QColor> DesktopColor(ColorValue value, const QPalette& palette) {
    if (value == ColorNone)
        return std::nullopt;
    if (IsSystemColor(value)) {
        if (const auto entry = SystemColorEntry(int(value & 0xFFu)))
            return palette.color(entry->group, entry->role);
        return QColor(Qt::black);
    }
    // 0x00BBGGRR and the "$" form 0x02BBGGRR look the same.
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

} // namespace kestro
