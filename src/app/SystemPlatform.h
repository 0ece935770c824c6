#pragma once

#include "startup/Platform.h"

namespace kestro {

// The platform of a Linux desktop. The application-data folders follow the XDG base directory
// rules: per-user roaming is $XDG_CONFIG_HOME (~/.config), per-user local is $XDG_DATA_HOME
// (~/.local/share), all users is the first folder of $XDG_CONFIG_DIRS (/etc/xdg). A variable
// that is unset, empty or not an absolute path gives way to the default in brackets.
class SystemPlatform final : public Platform {
public:
    QString RoamingAppDataFolder() const override;
    QString LocalAppDataFolder() const override;
    QString CommonAppDataFolder() const override;
    QString ProgramFile() const override;
    QString CurrentFolder() const override;
    ShortDateFormat DateFormat() const override;
    // LC_ALL, else LC_PAPER, else LANG: the first of them that is set and not empty.
    QString PaperLocale() const override;
};

} // namespace kestro
