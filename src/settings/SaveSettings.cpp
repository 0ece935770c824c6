#include "settings/SaveSettings.h"

#include "files/SaveSignals.h"
#include "files/SettingsFileIO.h"
#include "ini/IniDocument.h"
#include "settings/FieldText.h"
#include "settings/LoadSettings.h"

#include <new>
#include <utility>
#include <vector>

namespace kestro {
namespace {

struct KeyValue {
    const char* section;
    QString key;
    QString value;
};

// The color keys of the family in use, normal color first, in writing order.
void AddColorKeys(std::vector<KeyValue>& keys, const ScheduleSettings& s) {
    int rows = 6;
    if (s.LetterSet != LetterSet::ColorLetters)
        rows = s.NumberOfPlatoons > 5 ? 6 : (s.NumberOfPlatoons > 2 ? s.NumberOfPlatoons : 2);
    const auto letters = LettersOf(s.LetterSet);
    for (int row = 0; row < rows; ++row) {
        const QString letter(letters[row]);
        const ColorPair& pair = s.PlatoonColors[letters[row]];
        keys.push_back(
            {SettingsKeys::Colors, letter + QLatin1String("Plt"), ColorToName(pair.normal)});
        keys.push_back(
            {SettingsKeys::Colors, letter + QLatin1String("Inv"), ColorToName(pair.inverse)});
    }
}

} // namespace

QString SaveFailedText(const QString& reason) {
    QString text = QString::fromLatin1(SaveFailedMessage);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}

SaveResult SaveSettingsFile(const QString& path, const ScheduleFieldTexts& fields,
                            const ScheduleSettings& settings, bool backgroundChanged,
                            const ShortDateFormat& format) {
    const SaveInProgress saving;
    const auto platoons = ReadFieldInteger(fields.numberOfPlatoons);
    if (!platoons)
        return SaveResult::Failed(SaveReasons::PlatoonsNotANumber);
    const auto days = ReadFieldInteger(fields.daysInRotation);
    if (!days)
        return SaveResult::Failed(SaveReasons::DaysNotANumber);
    if (settings.StartDay < 0 || settings.StartDay > DateToDayNumber(31, 12, 3999, 0))
        return SaveResult::Failed(SaveReasons::NoStartDate);
    const CalendarDate start = DayNumberToDate(settings.StartDay);

    std::vector<KeyValue> keys{
        {SettingsKeys::ShiftSchedule, QStringLiteral("NumberOfPlatoons"),
         QString::number(*platoons)},
        {SettingsKeys::ShiftSchedule, QStringLiteral("DaysInRotation"), QString::number(*days)},
        {SettingsKeys::ShiftSchedule, QStringLiteral("ShiftRotation"), fields.rotation},
        {SettingsKeys::ShiftSchedule, QStringLiteral("StartDate"), FormatDate(format, start)},
    };
    AddColorKeys(keys, settings);
    if (backgroundChanged) {
        keys.push_back({SettingsKeys::Colors, QStringLiteral("BkGr"), ColorToName(settings.BkGr)});
        keys.push_back({SettingsKeys::Colors, QStringLiteral("LdTr"), ColorToName(settings.LdTr)});
    }

    // A line break in a value would add lines of its own to the file.
    for (const KeyValue& kv : keys) {
        if (kv.value.contains(QLatin1Char('\n')) || kv.value.contains(QLatin1Char('\r')))
            return SaveResult::Failed(QString::fromLatin1(SaveReasons::LineBreak).arg(kv.key));
    }

    try {
        const FileBytes file = ReadFileBytes(path);
        if (file.status == FileReadStatus::Unreadable)
            return SaveResult::Failed(file.error);
        IniDocument doc = ParseIni(file.bytes);
        // Lines added in another encoding would leave a file that is neither.
        if (doc.encoding == IniEncoding::Unknown)
            return SaveResult::Failed(QString::fromUtf8(UnknownEncodingReason));
        // Each section's keys are found in one reading of its lines.
        FindIniSections(
            doc, {QLatin1String(SettingsKeys::ShiftSchedule), QLatin1String(SettingsKeys::Colors)});
        for (const char* section : {SettingsKeys::ShiftSchedule, SettingsKeys::Colors}) {
            QStringList names;
            for (const KeyValue& kv : keys) {
                if (QLatin1String(kv.section) == QLatin1String(section))
                    names.append(kv.key);
            }
            FindIniKeys(doc, QLatin1String(section), names);
        }
        for (const KeyValue& kv : keys) {
            // A value longer than a load reads was cut; it stays whole unless it was changed.
            bool cut = false;
            const auto current = ReadIniValue(doc, QLatin1String(kv.section), kv.key, &cut);
            if (cut && *current == kv.value)
                continue;
            WriteIniValue(doc, QLatin1String(kv.section), kv.key, kv.value);
        }
        const FilePieces pieces = SerializeIniPieces(doc);
        // A file that could not be read back would be lost to the next load.
        if (PiecesSize(pieces) > SettingsFileMaxBytes)
            return SaveResult::Failed(FileReasons::WouldBeTooLarge);
        return WriteSettingsPieces(path, pieces, file.stamp);
    } catch (const std::bad_alloc&) {
        return SaveResult::Failed(FileReasons::OutOfMemory);
    }
}

} // namespace kestro
