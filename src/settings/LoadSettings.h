#pragma once

#include "calendar/Clock.h"
#include "calendar/DateText.h"
#include "settings/ScheduleSettings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kestro {

inline constexpr const char* InvalidStartDateMessage =
    "Invalid start date!\rUsing first of month...";

// What the window must do after a load, beyond filling its fields and redrawing the month.
struct LoadOutcome {
    // The rotation's first character chose the letter family: refresh the platoon captions and
    // rows.
    bool letterSetFromRotation = false;
    // The start date could not be read: tell the user InvalidStartDateMessage. StartDay already
    // holds the first of the current month.
    bool startDateInvalid = false;
    // Not empty when the file is there but could not be read: why, for CouldNotReadText. The
    // settings then hold the values used when there is no file.
    QString fileError;
    // Keys whose values were longer than IniValueMaxLength and were cut, in reading order: tell
    // the user CutValuesMessage. A save leaves them whole unless their values change.
    QStringList cutKeys;
    // "DaysInRotation" as the file writes it; nothing when the file has no such key. A value that
    // is not a whole number reads as the default, which the window shows; the exports refuse it.
    std::optional<QString> daysInRotationText;
};

// Names the keys whose values were cut at load, for the user.
QString CutValuesMessage(const QStringList& keys);

// Reads every key of the settings file at path into settings; a missing file reads as an empty
// one. A file that is there but cannot be read (a folder, no permission, over the size limit, too
// large for the memory there is) gives the values used when there is no file and the reason in
// fileError. LetterSet stays as it was when the rotation's first character names no family.
LoadOutcome LoadSettings(const QString& path, ScheduleSettings& settings,
                         const ShortDateFormat& format, const Clock& clock);

// What the user is told of a file that could not be read: its name, and the reason below.
QString CouldNotReadText(const QString& path, const QString& reason);

// The keys that are read, by section; the same names are used for writing.
namespace SettingsKeys {
inline constexpr const char* ShiftSchedule = "Shift Schedule";
inline constexpr const char* Config = "Config";
inline constexpr const char* Fonts = "Fonts";
inline constexpr const char* Colors = "Colors";
} // namespace SettingsKeys

} // namespace kestro
