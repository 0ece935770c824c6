#include "export/IcsExport.h"

#include "base/AsciiCase.h"
#include "export/CssColorNames.h"
#include "export/IcalLibrary.h"
#include "export/IcsText.h"
#include "export/ShiftRuns.h"
#include "export/YearCalendar.h"
#include "files/FileName.h"
#include "files/SaveTarget.h"
#include "files/SettingsFileIO.h"
#include "rotation/Rotation.h"
#include "settings/LetterSet.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDate>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace kestro {
namespace {

// libical keeps a recurrence's interval in a short.
constexpr int MaxDaysInRotation = 32767;
constexpr DayNumber LastDay = 876581; // 31 December 3999
// 1 March 1700. Some readers count 1700 as a leap year and put every repetition of a series that
// starts earlier one day late; series start on or after this day, days before it are a series
// of their own that ends before it.
constexpr DayNumber ReadersAgreeFrom = 36584;

const QString PlatoonLetterList = QStringLiteral("A to F, 1 to 6, K, L, R, G, Y, P");

QDate ToDate(DayNumber day) {
    return QDate(1600, 1, 1).addDays(day);
}

icaltimetype IcalDate(const IcalFunctions& ical, DayNumber day) {
    const QDate date = ToDate(day);
    icaltimetype t = ical.icaltime_null_date();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    return t;
}

// libical writes no date after the year 3000 that it is given as a date (it writes
// 00000000T000000 instead), but keeps the one it reads from text.
icalproperty* DateProperty(const IcalFunctions& ical, icalproperty_kind kind, DayNumber day) {
    icalproperty* property = ical.icalproperty_new(kind);
    const QByteArray text = ToDate(day).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    ical.icalproperty_set_value(property,
                                ical.icalvalue_new_from_string(ICAL_DATE_VALUE, text.constData()));
    return property;
}

struct ComponentFree {
    const IcalFunctions* ical;
    void operator()(icalcomponent* c) const { ical->icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

void AddText(const IcalFunctions& ical, icalcomponent* c, icalproperty* (*make)(const char*),
             const QString& text) {
    ical.icalcomponent_add_property(c, make(text.toUtf8().constData()));
}

QString ScheduleProblem(const ScheduleSettings& s) {
    if (QString problem = ExportableRotationProblem(s); !problem.isEmpty())
        return problem;
    if (s.DaysInRotation > MaxDaysInRotation)
        return QStringLiteral("A rotation of more than %1 days cannot be exported.")
            .arg(MaxDaysInRotation);
    return {};
}

// The letters to export, or an error.
QString ChooseLetters(const QString& rotation, const QString& wanted, QString& error) {
    QString letters;
    if (wanted.trimmed().isEmpty()) {
        for (char16_t letter : PlatoonLetters) {
            if (rotation.contains(QChar(letter)))
                letters.append(QChar(letter));
        }
        return letters;
    }
    for (QChar c : AsciiUpper(wanted)) {
        if (c.isSpace() || c == QLatin1Char(','))
            continue;
        if (PlatoonIndex(c) < 0) {
            error = QStringLiteral("\"%1\" is not a platoon letter (%2).")
                        .arg(c)
                        .arg(PlatoonLetterList);
            return {};
        }
        if (!rotation.contains(c)) {
            error = QStringLiteral("Platoon %1 does not occur in the rotation %2.")
                        .arg(c)
                        .arg(rotation);
            return {};
        }
        if (!letters.contains(c))
            letters.append(c);
    }
    return letters;
}

QString RangeProblem(const IcsExportOptions& o, DayNumber startDay) {
    const auto valid = [](std::optional<DayNumber> d) { return !d || (*d >= 0 && *d <= LastDay); };
    if (!valid(o.from))
        return QStringLiteral("The first day to export is not a valid date.");
    if (!valid(o.until))
        return QStringLiteral("The last day to export is not a valid date.");
    if (o.from && o.until && *o.until < *o.from)
        return QStringLiteral("The last day to export, %1, lies before the first, %2.")
            .arg(IsoDateText(*o.until), IsoDateText(*o.from));
    if (o.until && *o.until < startDay)
        return QStringLiteral("There is nothing to export: the last day, %1, lies before the "
                              "rotation starts on %2.")
            .arg(IsoDateText(*o.until), IsoDateText(startDay));
    return {};
}

QString UidOf(QChar letter, RotationRun run, EventPart part, bool early,
              const QByteArray& fileKey) {
    static const char* const suffix[] = {"", "-cut-start", "-cut-end"};
    return QStringLiteral("platoon-%1-day-%2%3%4-%5@kestro")
        .arg(letter)
        .arg(run.position + 1)
        .arg(QLatin1String(suffix[int(part)]))
        .arg(early ? QLatin1String("-before-1700-03") : QLatin1String())
        .arg(QLatin1String(fileKey));
}

// The settings file as the system reaches it, so that every spelling of its name and every link
// to it gives the events the same identities.
QByteArray FileIdentity(const QString& path) {
    const QByteArray bytes = FileNameToBytes(path);
    const SaveTarget target = ResolveSaveTarget(bytes);
    if (target.error != 0)
        return bytes;
    return target.folder + '/' + target.name;
}

// When the schedule was last changed: the settings file's modification time; now when there is
// no file.
QDateTime ScheduleTime(const IcsExportOptions& o) {
    if (o.exportTime.isValid())
        return o.exportTime;
    struct stat status {};
    if (!o.sourceFile.isEmpty() && ::stat(FileNameToBytes(o.sourceFile).constData(), &status) == 0)
        return QDateTime::fromSecsSinceEpoch(status.st_mtim.tv_sec, Qt::UTC);
    return QDateTime::currentDateTimeUtc();
}

// The runs of letter, each day a run of its own for readers that show only an event's first day.
std::vector<RotationRun> ExportedRuns(const QString& rotation, QChar letter, bool oneDayEach) {
    std::vector<RotationRun> runs = RunsOf(rotation, letter);
    if (!oneDayEach)
        return runs;
    std::vector<RotationRun> days;
    for (const RotationRun& run : runs) {
        for (int i = 0; i < run.length; ++i)
            days.push_back({(run.position + i) % int(rotation.size()), 1});
    }
    return days;
}

struct EventStyle {
    QString summary;
    QString color; // CSS name, empty for none
    QString letter;
    icaltimetype stamp;
    QString uid;
};

void AddEvent(const IcalFunctions& ical, icalcomponent* calendar, const DayEvent& e,
              const EventStyle& style) {
    icalcomponent* event = ical.icalcomponent_new_vevent();
    AddText(ical, event, ical.icalproperty_new_uid, style.uid);
    ical.icalcomponent_add_property(event, ical.icalproperty_new_dtstamp(style.stamp));
    ical.icalcomponent_add_property(event, ical.icalproperty_new_lastmodified(style.stamp));
    ical.icalcomponent_add_property(event, DateProperty(ical, ICAL_DTSTART_PROPERTY, e.first));
    ical.icalcomponent_add_property(event,
                                    DateProperty(ical, ICAL_DTEND_PROPERTY, e.first + e.days));
    if (e.repeatEvery > 0) {
        icalrecurrencetype rule;
        ical.icalrecurrencetype_clear(&rule);
        rule.freq = ICAL_DAILY_RECURRENCE;
        rule.interval = short(e.repeatEvery);
        if (e.lastStart)
            rule.until = IcalDate(ical, *e.lastStart);
        ical.icalcomponent_add_property(event, ical.icalproperty_new_rrule(rule));
    }
    AddText(ical, event, ical.icalproperty_new_summary, style.summary);
    AddText(ical, event, ical.icalproperty_new_categories, style.letter);
    if (!style.color.isEmpty())
        AddText(ical, event, ical.icalproperty_new_color, style.color);
    // Knowing who is on duty blocks nobody's time.
    ical.icalcomponent_add_property(event, ical.icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    ical.icalcomponent_add_component(calendar, event);
}

} // namespace

QString ExportableRotationProblem(const ScheduleSettings& s) {
    if (QString problem = RotationLengthProblem(s); !problem.isEmpty())
        return problem;
    for (qsizetype i = 0; i < s.ShiftRotation.size(); ++i) {
        if (PlatoonIndex(s.ShiftRotation[i]) < 0)
            return QStringLiteral("Day %1 of the rotation is \"%2\", which is not a platoon letter "
                                  "(%3).")
                .arg(i + 1)
                .arg(s.ShiftRotation[i])
                .arg(PlatoonLetterList);
    }
    return {};
}

QString IsoDateText(DayNumber day) {
    return ToDate(day).toString(Qt::ISODate);
}

IcsCalendar BuildIcsCalendar(const ScheduleSettings& settings, const IcsExportOptions& options) {
    IcsCalendar result;
    const QString& rotation = settings.ShiftRotation;
    result.error = ScheduleProblem(settings);
    if (result.error.isEmpty() && options.eventText.trimmed().isEmpty())
        result.error = QStringLiteral("The event text is empty.");
    if (result.error.isEmpty() && options.calendarName.trimmed().isEmpty())
        result.error = QStringLiteral("The calendar name is empty.");
    if (result.error.isEmpty())
        result.error = RangeProblem(options, settings.StartDay);
    QString letters;
    if (result.error.isEmpty())
        letters = ChooseLetters(rotation, options.platoons, result.error);
    if (!result.ok())
        return result;
    const IcalFunctions* const loaded = Ical(result.error);
    if (loaded == nullptr)
        return result;
    const IcalFunctions& ical = *loaded;

    const DayNumber first = std::max(options.from.value_or(settings.StartDay), settings.StartDay);
    const icaltimetype stamp = ical.icaltime_from_timet_with_zone(
        time_t(ScheduleTime(options).toSecsSinceEpoch()), 0, ical.icaltimezone_get_utc_timezone());
    const QByteArray fileKey =
        QCryptographicHash::hash(FileIdentity(options.sourceFile), QCryptographicHash::Sha1)
            .toHex()
            .left(16);

    Component calendar(ical.icalcomponent_new_vcalendar(), ComponentFree{&ical});
    AddText(ical, calendar.get(), ical.icalproperty_new_prodid,
            QStringLiteral("-//Kestro//Kestro " KESTRO_VERSION "//EN"));
    AddText(ical, calendar.get(), ical.icalproperty_new_version, QStringLiteral("2.0"));
    AddText(ical, calendar.get(), ical.icalproperty_new_calscale, QStringLiteral("GREGORIAN"));
    AddText(ical, calendar.get(), ical.icalproperty_new_name, options.calendarName);

    for (QChar letter : letters) {
        EventStyle style;
        style.summary = QString(options.eventText)
                            .replace(EventTextPlaceholder, QString(letter), Qt::CaseInsensitive);
        style.color = NearestCssColorName(settings.PlatoonColors[letter].normal);
        style.letter = QString(letter);
        style.stamp = stamp;
        for (const RotationRun& run : ExportedRuns(rotation, letter, options.oneDayEvents)) {
            const auto add = [&](DayNumber from, std::optional<DayNumber> until, bool early) {
                for (const DayEvent& e :
                     EventsOfRun(run, settings.StartDay, settings.DaysInRotation, from, until)) {
                    style.uid = UidOf(letter, run, e.part, early, fileKey);
                    AddEvent(ical, calendar.get(), e, style);
                    ++result.events;
                }
            };
            if (first < ReadersAgreeFrom) {
                const DayNumber lastEarly =
                    std::min(ReadersAgreeFrom - 1, options.until.value_or(LastDay));
                add(first, lastEarly, true);
            }
            if (!options.until || *options.until >= ReadersAgreeFrom)
                add(std::max(first, ReadersAgreeFrom), options.until, false);
        }
    }
    if (result.events == 0) {
        const QString who = letters.size() == 1 ? QStringLiteral("platoon %1 is").arg(letters)
                                                : QStringLiteral("platoons %1 are").arg(letters);
        result.error = QStringLiteral("There is nothing to export: %1 not on duty from %2 to %3.")
                           .arg(who, IsoDateText(first), IsoDateText(*options.until));
        return result;
    }

    char* text = ical.icalcomponent_as_ical_string_r(calendar.get());
    result.text = QByteArray(text);
    std::free(text);
    // libical leaves "," and ";" of an X- property's text unescaped; the line is written here.
    result.text.insert(result.text.indexOf("BEGIN:VEVENT\r\n"),
                       FoldIcsLine("X-WR-CALNAME:" + EscapeIcsText(options.calendarName)));
    result.platoons = letters;
    result.first = first;
    return result;
}

QString CalendarFileProblem(const QString& path, const QString& settingsFile) {
    if (path.trimmed().isEmpty())
        return QStringLiteral("The calendar file has no name.");
    // Names are taken as the bytes they are; the settings file is the same file by any name.
    struct stat target {};
    if (::stat(FileNameToBytes(path).constData(), &target) != 0)
        return {};
    if (S_ISDIR(target.st_mode))
        return QStringLiteral("%1 is a folder; name a file for the calendar.").arg(path);
    struct stat settings {};
    if (!settingsFile.isEmpty() &&
        ::stat(FileNameToBytes(settingsFile).constData(), &settings) == 0 &&
        settings.st_dev == target.st_dev && settings.st_ino == target.st_ino)
        return QStringLiteral("%1 is the settings file itself; choose another name for the "
                              "calendar file.")
            .arg(path);
    return {};
}

QString WriteIcsFile(const QString& path, const QByteArray& text, const QString& settingsFile) {
    if (QString problem = CalendarFileProblem(path, settingsFile); !problem.isEmpty())
        return problem;
    if (const SaveResult written = WriteSettingsBytes(path, text); !written)
        return QStringLiteral("Could not write the calendar file %1: %2").arg(path, written.reason);
    return {};
}

} // namespace kestro
