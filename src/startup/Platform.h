#pragma once

#include "calendar/DateText.h"

#include <QString>

namespace kestro {

// What the program asks of the operating system: folders and the user's locale.
class Platform {
public:
    virtual ~Platform() = default;
    // The three application-data folders searched for the settings file, per-user roaming,
    // per-user local and all users; an empty text when a folder cannot be determined.
    virtual QString RoamingAppDataFolder() const = 0;
    virtual QString LocalAppDataFolder() const = 0;
    virtual QString CommonAppDataFolder() const = 0;
    // Absolute name of the running program file, symbolic links resolved.
    virtual QString ProgramFile() const = 0;
    virtual QString CurrentFolder() const = 0;
    virtual ShortDateFormat DateFormat() const = 0;
    // The name of the locale that decides the paper size ("en_US.UTF-8"), empty for none.
    virtual QString PaperLocale() const = 0;
};

} // namespace kestro
