#pragma once

#include "app/IcsExportCommand.h"

namespace kestro {

// kestro --compare OTHER.ini: what the rotation of OTHER.ini would change for each platoon, set
// against the settings file in force, over the months from today or --from.
CommandOutcome RunCompare(const QStringList& arguments, const Platform& platform,
                          const Clock& clock);

// The same on this system, printing the outcome; returns the exit status. Needs no display.
int CompareMain(const QStringList& arguments);

} // namespace kestro
