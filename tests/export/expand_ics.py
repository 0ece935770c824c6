"""Expands a calendar file with icalendar and recurring_ical_events, independent readers of
RFC 5545, and compares the platoons on duty each day with the expected ones.

    expand_ics.py CALENDAR.ics EXPECTED.txt

EXPECTED.txt has one line per day, "yyyy-mm-dd LETTERS" ("-" for none), for consecutive days.
The file must also pass vobject's strict validation, where vobject is installed.
Exits 0 when every day matches, 1 with the differences, 77 when the modules are missing."""
import datetime
import sys

try:
    import icalendar
    import recurring_ical_events
except ImportError as missing:
    print("skipped: " + str(missing))
    sys.exit(77)


def categories(event):
    value = event.get("CATEGORIES")
    values = value if isinstance(value, list) else [value]
    letters = []
    for v in values:
        letters.extend(str(c) for c in getattr(v, "cats", [v]))
    return letters


def main(ics_name, expected_name):
    expected = {}
    with open(expected_name, encoding="utf-8") as lines:
        for line in lines:
            day, letters = line.split()
            expected[datetime.date.fromisoformat(day)] = "" if letters == "-" else letters
    first, last = min(expected), max(expected)

    with open(ics_name, "rb") as ics:
        text = ics.read()
    calendar = icalendar.Calendar.from_ical(text)
    try:
        import vobject
    except ImportError:
        vobject = None
    if vobject is not None:
        strict = vobject.readOne(text.decode("utf-8"), validate=True)
        if len(strict.contents.get("vevent", [])) != len(calendar.walk("VEVENT")):
            print("vobject reads another number of events")
            return 1
    found = {day: "" for day in expected}
    for event in recurring_ical_events.of(calendar).between(first, last + datetime.timedelta(1)):
        start, end = event["DTSTART"].dt, event["DTEND"].dt
        if isinstance(start, datetime.datetime) or isinstance(end, datetime.datetime):
            print("not an all-day event:", event.get("UID"))
            return 1
        letters = "".join(categories(event))
        day = start
        while day < end:
            if first <= day <= last:
                found[day] += letters
            day += datetime.timedelta(1)

    wrong = [d for d in sorted(expected) if sorted(found[d]) != sorted(expected[d])]
    for d in wrong[:10]:
        print(f"{d}: calendar {found[d] or '-'}, rotation {expected[d] or '-'}")
    if wrong:
        print(f"{len(wrong)} of {len(expected)} days differ")
        return 1
    print(f"{len(expected)} days from {first} to {last} match")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
