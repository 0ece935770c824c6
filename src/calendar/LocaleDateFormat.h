#pragma once

#include "calendar/DateText.h"

#include <QString>

namespace kestro {

// The short date format and month names of the C library's current LC_TIME locale
// (nl_langinfo). QCoreApplication sets the locale from the environment on start-up.
ShortDateFormat LocaleShortDateFormat();

// Decodes text that the C library gives in the locale's codeset (nl_langinfo(CODESET)).
QString DecodeLocaleText(const char* text, const char* codeset);

} // namespace kestro
