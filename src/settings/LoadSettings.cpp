#include "settings/LoadSettings.h"

#include "files/SettingsFileIO.h"
#include "ini/IniDocument.h"
#include "ini/IniValues.h"

#include <new>

namespace kestro {
namespace {

struct KeyReader {
    const IniDocument& doc;
    const char* section;
    QStringList& cutKeys;

    std::optional<QString> Value(const QString& key) const {
        bool cut = false;
        auto value = ReadIniValue(doc, QLatin1String(section), key, &cut);
        if (cut)
            cutKeys.append(key);
        return value;
    }
    std::optional<QString> Value(const char* key) const { return Value(QLatin1String(key)); }
    int Integer(const char* key, int fallback) const {
        return ReadIniInteger(Value(key), fallback);
    }
    bool Boolean(const char* key, bool fallback) const { return ReadIniBool(Value(key), fallback); }
    QString Text(const char* key, const QString& fallback) const {
        return ReadIniText(Value(key), fallback);
    }
    ColorValue Color(const QString& key, ColorValue fallback) const {
        const auto value = Value(key);
        return value ? NameToColor(*value) : fallback;
    }
};

QString ColorKey(char16_t letter, const char* kind) {
    return QChar(letter) + QLatin1String(kind);
}

// Reads a color key into color; true when the file has it.
bool ReadColor(const KeyReader& colors, const QString& key, ColorValue& color) {
    const auto value = colors.Value(key);
    if (value)
        color = NameToColor(*value);
    return value.has_value();
}

void ReadColors(const KeyReader& colors, ScheduleSettings& s) {
    for (char16_t letter : PlatoonLetters) {
        ColorPair& pair = s.PlatoonColors[QChar(letter)];
        const auto index = std::size_t(PlatoonIndex(QChar(letter)));
        s.UserSet.PlatoonNormal[index] = ReadColor(colors, ColorKey(letter, "Plt"), pair.normal);
        s.UserSet.PlatoonInverse[index] = ReadColor(colors, ColorKey(letter, "Inv"), pair.inverse);
    }
    s.BkGr = colors.Color(QStringLiteral("BkGr"), s.BkGr);
    s.UserSet.LdTr = ReadColor(colors, QStringLiteral("LdTr"), s.LdTr);
    s.GridColor = colors.Color(QStringLiteral("GridColor"), s.GridColor);
    s.FrameColor = colors.Color(QStringLiteral("FrameColor"), s.FrameColor);
}

// Finds the keys read below, each section's in one reading of its lines: a section of a huge file
// is not read again for every key.
void FindKeys(const IniDocument& doc) {
    using namespace SettingsKeys;
    FindIniSections(doc, {QLatin1String(ShiftSchedule), QLatin1String(Config), QLatin1String(Fonts),
                          QLatin1String(Colors)});
    FindIniKeys(doc, QLatin1String(ShiftSchedule),
                {QStringLiteral("NumberOfPlatoons"), QStringLiteral("DaysInRotation"),
                 QStringLiteral("ShiftRotation"), QStringLiteral("StartDate")});
    FindIniKeys(doc, QLatin1String(Config),
                {QStringLiteral("Epoch"), QStringLiteral("HiliteCurrent"),
                 QStringLiteral("ShowDOW"), QStringLiteral("ShowYear"),
                 QStringLiteral("ShowLeading"), QStringLiteral("FullMonthName"),
                 QStringLiteral("ReverseUpDown"), QStringLiteral("ReversePageUpPageDown"),
                 QStringLiteral("WeekStartsOnMonday")});
    FindIniKeys(doc, QLatin1String(Fonts),
                {QStringLiteral("HdrFontName"), QStringLiteral("HdrFontStyle"),
                 QStringLiteral("HdrFontColor"), QStringLiteral("HdrFontSize"),
                 QStringLiteral("CalFontName"), QStringLiteral("CalFontStyle"),
                 QStringLiteral("CalFontColor"), QStringLiteral("CalFontSize")});
    QStringList colors{QStringLiteral("BkGr"), QStringLiteral("LdTr"), QStringLiteral("GridColor"),
                       QStringLiteral("FrameColor")};
    for (char16_t letter : PlatoonLetters)
        colors << ColorKey(letter, "Plt") << ColorKey(letter, "Inv");
    FindIniKeys(doc, QLatin1String(Colors), colors);
}

void ReadKeys(const IniDocument& doc, ScheduleSettings& s, LoadOutcome& outcome) {
    FindKeys(doc);
    QStringList& cutKeys = outcome.cutKeys;
    const KeyReader schedule{doc, SettingsKeys::ShiftSchedule, cutKeys};
    outcome.daysInRotationText = schedule.Value("DaysInRotation");
    s.NumberOfPlatoons = schedule.Integer("NumberOfPlatoons", s.NumberOfPlatoons);
    s.DaysInRotation = schedule.Integer("DaysInRotation", s.DaysInRotation);
    s.ShiftRotation = schedule.Text("ShiftRotation", s.ShiftRotation);
    s.StartDateText = schedule.Text("StartDate", QString());

    const KeyReader config{doc, SettingsKeys::Config, cutKeys};
    s.Epoch = config.Integer("Epoch", s.Epoch);
    s.HiliteCurrent = config.Boolean("HiliteCurrent", s.HiliteCurrent);
    s.ShowDOW = config.Boolean("ShowDOW", s.ShowDOW);
    s.ShowYear = config.Boolean("ShowYear", s.ShowYear);
    s.ShowLeading = config.Boolean("ShowLeading", s.ShowLeading);
    s.FullMonthName = config.Boolean("FullMonthName", s.FullMonthName);
    s.ReverseUpDown = config.Boolean("ReverseUpDown", s.ReverseUpDown);
    s.ReversePageUpPageDown = config.Boolean("ReversePageUpPageDown", s.ReversePageUpPageDown);
    s.WeekStartsOnMonday = config.Boolean("WeekStartsOnMonday", s.WeekStartsOnMonday);

    const KeyReader fonts{doc, SettingsKeys::Fonts, cutKeys};
    s.HdrFontName = fonts.Text("HdrFontName", s.HdrFontName);
    s.HdrFontStyle = fonts.Text("HdrFontStyle", s.HdrFontStyle);
    const auto headerColor = fonts.Value("HdrFontColor");
    s.UserSet.HdrFontColor = headerColor.has_value();
    s.HdrFontColor = ReadIniText(headerColor, s.HdrFontColor);
    s.HdrFontSize = fonts.Integer("HdrFontSize", s.HdrFontSize);
    s.CalFontName = fonts.Text("CalFontName", s.CalFontName);
    s.CalFontStyle = fonts.Text("CalFontStyle", s.CalFontStyle);
    s.CalFontColor = fonts.Text("CalFontColor", s.CalFontColor);
    s.CalFontSize = fonts.Integer("CalFontSize", s.CalFontSize);

    ReadColors(KeyReader{doc, SettingsKeys::Colors, cutKeys}, s);
}

} // namespace

QString CutValuesMessage(const QStringList& keys) {
    return QStringLiteral("These settings in the file are longer than %1 characters, and only "
                          "their first %1 characters are shown: %2.\nSaving keeps their full "
                          "values in the file unless you change them.")
        .arg(IniValueMaxLength)
        .arg(keys.join(QStringLiteral(", ")));
}

QString CouldNotReadText(const QString& path, const QString& reason) {
    return QStringLiteral("Could not read ") + path + QLatin1Char('\n') + reason;
}

LoadOutcome LoadSettings(const QString& path, ScheduleSettings& settings,
                         const ShortDateFormat& format, const Clock& clock) {
    ScheduleSettings s = AbsentKeyDefaults();
    s.LetterSet = settings.LetterSet;
    LoadOutcome outcome;
    try {
        const FileBytes file = ReadFileBytes(path);
        outcome.fileError = file.error;
        if (file.status == FileReadStatus::Read)
            ReadKeys(ParseIni(file.bytes), s, outcome);
    } catch (const std::bad_alloc&) {
        outcome.fileError = QString::fromUtf8(FileReasons::OutOfMemory);
        outcome.cutKeys.clear();
    }
    if (!outcome.fileError.isEmpty()) {
        // A file that is there but cannot be read: start as if there were none.
        const CalendarDate today = clock.Today();
        s = NoFileSettings(InvalidDay);
        s.StartDay = DateToDayNumber(1, today.month, today.year, s.Epoch);
        if (const auto family = LetterSetFromRotation(s.ShiftRotation)) {
            s.LetterSet = *family;
            outcome.letterSetFromRotation = true;
        }
        settings = s;
        return outcome;
    }

    if (const auto family = LetterSetFromRotation(s.ShiftRotation)) {
        s.LetterSet = *family;
        outcome.letterSetFromRotation = true;
    }

    const CalendarDate today = clock.Today();
    s.StartDay = ParseStartDate(s.StartDateText, format, s.Epoch, today.year);
    if (s.StartDay == InvalidDay) {
        outcome.startDateInvalid = true;
        s.StartDay = DateToDayNumber(1, today.month, today.year, s.Epoch);
    }
    settings = s;
    return outcome;
}

} // namespace kestro
