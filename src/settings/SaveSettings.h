#pragma once

#include "calendar/DateText.h"
#include "files/SaveResult.h"
#include "settings/FieldText.h"
#include "settings/ScheduleSettings.h"

#include <QString>

namespace kestro {

inline constexpr const char* SaveFailedMessage = "Failed to save .ini file";

// The reasons a save fails before the file is touched.
namespace SaveReasons {
inline constexpr const char* PlatoonsNotANumber = "\"Number of Platoons\" is not a whole number";
inline constexpr const char* DaysNotANumber = "\"Days in Rotation\" is not a whole number";
inline constexpr const char* NoStartDate = "The start date is not a valid date";
inline constexpr const char* LineBreak = "The value for %1 holds a line break"; // %1: the key
} // namespace SaveReasons

// What the user is told of a failed save: SaveFailedMessage and, below it, the reason.
QString SaveFailedText(const QString& reason);

// Writes the schedule (the first three keys from the field texts, not the record; the start date
// field is not read), the colors of the letter family in use and, when backgroundChanged, the
// two background colors into the settings file at path, changing nothing else in it. Every value
// is worked out first and the file is read afresh, so a failure (a field that is not a number, an
// invalid start day, a file that cannot be read or written) leaves the file exactly as it was,
// and changes another program made to other keys in the meantime survive. A file whose text
// encoding cannot be told (UnknownEncodingReason) is never written to. A value longer than a load
// reads (IniValueMaxLength) stays whole unless the value to write differs from its first
// characters, which is all a load gave. WriteSettingsBytes says how the file is written. On
// failure the caller tells the user SaveFailedText(reason) and keeps its unsaved-changes flags.
// SIGTERM and SIGINT wait for the save (SaveInProgress).
SaveResult SaveSettingsFile(const QString& path, const ScheduleFieldTexts& fields,
                            const ScheduleSettings& settings, bool backgroundChanged,
                            const ShortDateFormat& format);

} // namespace kestro
