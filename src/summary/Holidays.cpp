#include "summary/Holidays.h"

#include "export/IcalLibrary.h"
#include "files/SettingsFileIO.h"

#include <algorithm>
#include <memory>

namespace kestro {
namespace {

// A repeating event is followed at most this far, whatever its rule says.
constexpr int MaxOccurrences = 1'000'000;

DayNumber DayOf(const icaltimetype& time) {
    if (time.year < FirstCalendarYear || time.year > LastCalendarYear)
        return InvalidDay;
    return DateToDayNumber(time.day, time.month, time.year, 0);
}

struct EventDays {
    DayNumber first = InvalidDay;
    int length = 1; // days
};

// The days of one occurrence starting at start.
EventDays DaysFrom(const icaltimetype& start, const icaltimetype& end) {
    EventDays days{DayOf(start), 1};
    if (start.is_date && end.is_date && days.first != InvalidDay) {
        const DayNumber last = DayOf(end);
        if (last != InvalidDay && last > days.first)
            days.length = std::min(last - days.first, 366);
    }
    return days;
}

void AddDays(std::vector<Holiday>& out, EventDays days, const QString& name, DayNumber from,
             DayNumber until) {
    if (days.first == InvalidDay)
        return;
    for (DayNumber day = days.first; day < days.first + days.length; ++day) {
        if (day >= from && day <= until)
            out.push_back({day, name});
    }
}

void AddEvent(const IcalFunctions& ical, icalcomponent* event, std::vector<Holiday>& out,
              DayNumber from, DayNumber until) {
    const icaltimetype start = ical.icalcomponent_get_dtstart(event);
    if (start.year == 0)
        return; // no DTSTART: an event without a date marks no day
    const icaltimetype end = ical.icalcomponent_get_dtend(event);
    const EventDays once = DaysFrom(start, end);
    const char* summary = ical.icalcomponent_get_summary(event);
    const QString name = summary != nullptr && *summary != '\0' ? QString::fromUtf8(summary)
                                                                : QStringLiteral("Holiday");

    icalproperty* rule = ical.icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (rule == nullptr) {
        AddDays(out, once, name, from, until);
        return;
    }
    std::vector<DayNumber> excluded;
    for (icalproperty* p = ical.icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY);
         p != nullptr; p = ical.icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        excluded.push_back(DayOf(ical.icalproperty_get_exdate(p)));
    const std::unique_ptr<icalrecur_iterator, decltype(ical.icalrecur_iterator_free)> occurrences(
        ical.icalrecur_iterator_new(ical.icalproperty_get_rrule(rule), start),
        ical.icalrecur_iterator_free);
    if (!occurrences)
        return AddDays(out, once, name, from, until);
    for (int i = 0; i < MaxOccurrences; ++i) {
        const icaltimetype next = ical.icalrecur_iterator_next(occurrences.get());
        if (next.year == 0)
            break;
        const DayNumber day = DayOf(next);
        if (day == InvalidDay || day > until)
            break;
        if (std::find(excluded.begin(), excluded.end(), day) == excluded.end())
            AddDays(out, {day, once.length}, name, from, until);
    }
}

} // namespace

HolidayList HolidaysOfCalendar(const QByteArray& text, YearRange years) {
    HolidayList list;
    const IcalFunctions* ical = Ical(list.error);
    if (ical == nullptr)
        return list;
    const std::unique_ptr<icalcomponent, decltype(ical->icalcomponent_free)> root(
        ical->icalparser_parse_string(text.constData()), ical->icalcomponent_free);
    const DayNumber from = DateToDayNumber(1, 1, years.first, 0);
    const DayNumber until = DateToDayNumber(31, 12, years.last, 0);
    bool anyEvent = false;
    if (root && ical->icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT) {
        anyEvent = true;
        AddEvent(*ical, root.get(), list.days, from, until);
    }
    // One calendar, or several (which the parser puts under one root).
    std::vector<icalcomponent*> calendars;
    if (root && ical->icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT)
        calendars.push_back(root.get());
    for (icalcomponent* c =
             root ? ical->icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT)
                  : nullptr;
         c != nullptr;
         c = ical->icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
        calendars.push_back(c);
    for (icalcomponent* calendar : calendars) {
        for (icalcomponent* event =
                 ical->icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             event != nullptr;
             event = ical->icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
            anyEvent = true;
            AddEvent(*ical, event, list.days, from, until);
        }
    }
    if (!anyEvent)
        list.error = QStringLiteral("It is not a calendar file with events (holidays) in it.");
    std::stable_sort(list.days.begin(), list.days.end(),
                     [](const Holiday& a, const Holiday& b) { return a.day < b.day; });
    return list;
}

HolidayList ReadHolidayFile(const QString& path, YearRange years) {
    const FileBytes file = ReadFileBytes(path);
    HolidayList list;
    if (file.status != FileReadStatus::Read) {
        list.error = QStringLiteral("Could not read the holiday file %1: %2")
                         .arg(path, file.status == FileReadStatus::Missing
                                        ? QStringLiteral("there is no such file.")
                                        : file.error);
        return list;
    }
    list = HolidaysOfCalendar(file.bytes, years);
    if (!list.error.isEmpty())
        list.error = QStringLiteral("Could not read the holiday file %1: %2").arg(path, list.error);
    return list;
}

} // namespace kestro
