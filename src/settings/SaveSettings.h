#pragma once

#include "calendar/DateText.h"
#include "settings/FieldText.h"
#include "settings/ScheduleSettings.h"

#include <QString>

namespace kestro {

inline constexpr const char* SaveFailedMessage = "Failed to save .ini file";

// Writes the schedule (the first three keys from the field texts, not the record; the start date
// field is not read), the colors of the letter family in use and, when backgroundChanged, the
// two background colors into the settings file at path, changing nothing else in it. Every value
// is worked out first and the file is read afresh, so a failure (a field that is not a number, an
// invalid start day, a file that cannot be read or written) leaves the file exactly as it was,
// and changes another program made to other keys in the meantime survive. A file whose text
// encoding cannot be told (UnknownEncodingReason) is never written to. A value longer than a load
// reads (IniValueMaxLength) stays whole unless the value to write differs from its first
// characters, which is all a load gave. Returns false on failure; the caller tells the user
// SaveFailedMessage and keeps its unsaved-changes flags.
bool SaveSettingsFile(const QString& path, const ScheduleFieldTexts& fields,
                      const ScheduleSettings& settings, bool backgroundChanged,
                      const ShortDateFormat& format);

} // namespace kestro
