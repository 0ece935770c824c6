#pragma once

#include "startup/Platform.h"

namespace kestro::test {

struct FakePlatform final : Platform {
    QString roaming;
    QString local;
    QString common;
    QString programFile;
    QString currentFolder;

    QString RoamingAppDataFolder() const override { return roaming; }
    QString LocalAppDataFolder() const override { return local; }
    QString CommonAppDataFolder() const override { return common; }
    QString ProgramFile() const override { return programFile; }
    QString CurrentFolder() const override { return currentFolder; }
    ShortDateFormat DateFormat() const override { return {}; }
};

} // namespace kestro::test
