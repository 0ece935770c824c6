#pragma once

#include "calendar/DateText.h"

#include <QString>

namespace kestro {

// The short date format, month and weekday names of the C library's current LC_TIME locale
// (nl_langinfo). QCoreApplication sets the locale from the environment on start-up.
ShortDateFormat LocaleShortDateFormat();

// The short date format of an strftime date pattern such as nl_langinfo(D_FMT). A pattern of
// numbers and one separator is taken as it stands ("%d.%m.%Y" gives dd.MM.yyyy). A pattern
// that has a day, a month (a number or a name) and a year among other text gives their order,
// numbers only, and the first ASCII punctuation between two fields as the separator
// ("%d. %b %Y" gives dd.MM.yyyy); without one "/" ("%Y年%m月%d日" gives yyyy/MM/dd), or "-" when
// the pattern is Korean ("%Y년 %m월 %d일" gives yyyy-MM-dd, as Korean desktops write it).
// Anything else gives M/d/yyyy. Month names are left empty.
ShortDateFormat ShortDateFormatFromStrftime(const QString& strftimePattern);

// Decodes text that the C library gives in the locale's codeset (nl_langinfo(CODESET)).
QString DecodeLocaleText(const char* text, const char* codeset);

} // namespace kestro
