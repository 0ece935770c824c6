#pragma once

#include "startup/Platform.h"

namespace kestro::test {

struct FakePlatform final : Platform {
    QString roaming;
    QString local;
    QString common;
    QString programFile;
    QString currentFolder;
    QString paperLocale;

    QString RoamingAppDataFolder() const override { return roaming; }
    QString LocalAppDataFolder() const override { return local; }
    QString CommonAppDataFolder() const override { return common; }
    QString ProgramFile() const override { return programFile; }
    QString CurrentFolder() const override { return currentFolder; }
    ShortDateFormat DateFormat() const override { return {}; }
    QString PaperLocale() const override { return paperLocale; }
};

} // namespace kestro::test
