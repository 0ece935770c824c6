#include "settings/LoadSettings.h"

#include "settings/IniDocument.h"
#include "settings/IniValues.h"
#include "settings/SettingsFileIO.h"

namespace kestro {
namespace {

struct KeyReader {
    const IniDocument& doc;
    const char* section;

    std::optional<QString> Value(const char* key) const {
        return ReadIniValue(doc, QLatin1String(section), QLatin1String(key));
    }
    int Integer(const char* key, int fallback) const {
        return ReadIniInteger(Value(key), fallback);
    }
    bool Boolean(const char* key, bool fallback) const { return ReadIniBool(Value(key), fallback); }
    QString Text(const char* key, const QString& fallback) const {
        return ReadIniText(Value(key), fallback);
    }
    ColorValue Color(const QString& key, ColorValue fallback) const {
        const auto value = ReadIniValue(doc, QLatin1String(section), key);
        return value ? NameToColor(*value) : fallback;
    }
};

void ReadColors(const KeyReader& colors, ScheduleSettings& s) {
    for (char16_t letter : PlatoonLetters) {
        ColorPair& pair = s.PlatoonColors[QChar(letter)];
        pair.normal = colors.Color(QString(QChar(letter)) + QLatin1String("Plt"), pair.normal);
        pair.inverse = colors.Color(QString(QChar(letter)) + QLatin1String("Inv"), pair.inverse);
    }
    s.BkGr = colors.Color(QStringLiteral("BkGr"), s.BkGr);
    s.LdTr = colors.Color(QStringLiteral("LdTr"), s.LdTr);
    s.GridColor = colors.Color(QStringLiteral("GridColor"), s.GridColor);
    s.FrameColor = colors.Color(QStringLiteral("FrameColor"), s.FrameColor);
}

} // namespace

QString CouldNotReadText(const QString& path, const QString& reason) {
    return QStringLiteral("Could not read ") + path + QLatin1Char('\n') + reason;
}

LoadOutcome LoadSettings(const QString& path, ScheduleSettings& settings,
                         const ShortDateFormat& format, const Clock& clock) {
    const FileBytes file = ReadFileBytes(path);
    if (file.status == FileReadStatus::Unreadable) {
        const CalendarDate today = clock.Today();
        ScheduleSettings s = NoFileSettings(InvalidDay);
        s.StartDay = DateToDayNumber(1, today.month, today.year, s.Epoch);
        LoadOutcome outcome;
        outcome.fileError = file.error;
        if (const auto family = LetterSetFromRotation(s.ShiftRotation)) {
            s.LetterSet = *family;
            outcome.letterSetFromRotation = true;
        }
        settings = s;
        return outcome;
    }
    const IniDocument doc =
        ParseIni(file.status == FileReadStatus::Read ? file.bytes : QByteArray());

    ScheduleSettings s = AbsentKeyDefaults();
    s.LetterSet = settings.LetterSet;

    const KeyReader schedule{doc, SettingsKeys::ShiftSchedule};
    s.NumberOfPlatoons = schedule.Integer("NumberOfPlatoons", s.NumberOfPlatoons);
    s.DaysInRotation = schedule.Integer("DaysInRotation", s.DaysInRotation);
    s.ShiftRotation = schedule.Text("ShiftRotation", s.ShiftRotation);
    s.StartDateText = schedule.Text("StartDate", QString());

    const KeyReader config{doc, SettingsKeys::Config};
    s.Epoch = config.Integer("Epoch", s.Epoch);
    s.HiliteCurrent = config.Boolean("HiliteCurrent", s.HiliteCurrent);
    s.ShowDOW = config.Boolean("ShowDOW", s.ShowDOW);
    s.ShowYear = config.Boolean("ShowYear", s.ShowYear);
    s.ShowLeading = config.Boolean("ShowLeading", s.ShowLeading);
    s.FullMonthName = config.Boolean("FullMonthName", s.FullMonthName);
    s.ReverseUpDown = config.Boolean("ReverseUpDown", s.ReverseUpDown);
    s.ReversePageUpPageDown = config.Boolean("ReversePageUpPageDown", s.ReversePageUpPageDown);
    s.WeekStartsOnMonday = config.Boolean("WeekStartsOnMonday", s.WeekStartsOnMonday);

    const KeyReader fonts{doc, SettingsKeys::Fonts};
    s.HdrFontName = fonts.Text("HdrFontName", s.HdrFontName);
    s.HdrFontStyle = fonts.Text("HdrFontStyle", s.HdrFontStyle);
    s.HdrFontColor = fonts.Text("HdrFontColor", s.HdrFontColor);
    s.HdrFontSize = fonts.Integer("HdrFontSize", s.HdrFontSize);
    s.CalFontName = fonts.Text("CalFontName", s.CalFontName);
    s.CalFontStyle = fonts.Text("CalFontStyle", s.CalFontStyle);
    s.CalFontColor = fonts.Text("CalFontColor", s.CalFontColor);
    s.CalFontSize = fonts.Integer("CalFontSize", s.CalFontSize);

    ReadColors(KeyReader{doc, SettingsKeys::Colors}, s);

    LoadOutcome outcome;
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
