#pragma once

#include "app/IcsExportCommand.h"

namespace kestro {

// kestro --export-pdf: finds and loads the settings file as the window does, and writes the year
// calendar of its schedule, one page per year, on the paper of the platform's locale. The
// settings file is only read. Needs a QGuiApplication (for the fonts), not a display.
CommandOutcome RunPdfExport(const QStringList& arguments, const Platform& platform,
                            const Clock& clock);

// The same on this system, printing the outcome; returns the exit status.
int ExportPdfMain(const QStringList& arguments);

} // namespace kestro
