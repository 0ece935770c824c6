#pragma once

#include <QString>

#include <libical/ical.h>

namespace kestro {

// The functions of libical that the calendar export and the holiday reader call.
#define KESTRO_ICAL_FUNCTIONS(F)                                                                   \
    F(icalcomponent_add_component)                                                                 \
    F(icalcomponent_add_property)                                                                  \
    F(icalcomponent_as_ical_string_r)                                                              \
    F(icalcomponent_free)                                                                          \
    F(icalcomponent_get_dtend)                                                                     \
    F(icalcomponent_get_dtstart)                                                                   \
    F(icalcomponent_get_first_component)                                                           \
    F(icalcomponent_get_first_property)                                                            \
    F(icalcomponent_get_next_component)                                                            \
    F(icalcomponent_get_next_property)                                                             \
    F(icalcomponent_get_summary)                                                                   \
    F(icalcomponent_isa)                                                                           \
    F(icalcomponent_new_vcalendar)                                                                 \
    F(icalcomponent_new_vevent)                                                                    \
    F(icalproperty_new)                                                                            \
    F(icalparser_parse_string)                                                                     \
    F(icalproperty_get_exdate)                                                                     \
    F(icalproperty_get_rrule)                                                                      \
    F(icalproperty_new_calscale)                                                                   \
    F(icalproperty_new_categories)                                                                 \
    F(icalproperty_new_color)                                                                      \
    F(icalproperty_new_dtstamp)                                                                    \
    F(icalproperty_new_lastmodified)                                                               \
    F(icalproperty_new_name)                                                                       \
    F(icalproperty_new_prodid)                                                                     \
    F(icalproperty_new_rrule)                                                                      \
    F(icalproperty_new_summary)                                                                    \
    F(icalproperty_new_transp)                                                                     \
    F(icalproperty_new_uid)                                                                        \
    F(icalproperty_new_version)                                                                    \
    F(icalproperty_set_value)                                                                      \
    F(icalrecur_iterator_free)                                                                     \
    F(icalrecur_iterator_new)                                                                      \
    F(icalrecur_iterator_next)                                                                     \
    F(icalrecurrencetype_clear)                                                                    \
    F(icaltime_from_timet_with_zone)                                                               \
    F(icaltime_null_date)                                                                          \
    F(icaltimezone_get_utc_timezone)                                                               \
    F(icalvalue_new_from_string)

struct IcalFunctions {
#define KESTRO_ICAL_POINTER(name) decltype(&::name) name = nullptr;
    KESTRO_ICAL_FUNCTIONS(KESTRO_ICAL_POINTER)
#undef KESTRO_ICAL_POINTER
};

// libical, opened at the first export or holiday file of the run (see SharedLibrary): its
// functions, or nullptr when the library or one of them cannot be found, with the reason for the
// user in error.
const IcalFunctions* Ical(QString& error);

} // namespace kestro
