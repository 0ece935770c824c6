#pragma once

#include "rotation/MonthView.h"

#include <QFont>

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

} // namespace kestro
