#pragma once

// Shared pieces of the reliability tests: the files they save into, the save the window makes,
// and child processes that run a save under other conditions (another user, a file-size limit,
// a kill at a random moment).

#include "calendar/DateText.h"
#include "settings/FieldText.h"
#include "settings/SaveSettings.h"
#include "settings/ScheduleSettings.h"
#include "support/DateFormats.h"
#include "support/Files.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestro::reliability {

using test::DefaultShortDateFormat;
using test::ReadBytes;
using test::WriteBytes;

inline QByteArray Name(const QString& path) {
    return QFile::encodeName(path);
}

// Stops the test when a step of preparing a case fails.
inline void Check(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// Everything in the folder, hidden files too, by name.
inline QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// A seed for generated data or random timing: the environment variable when it is set (to repeat
// a run), else the fallback. It is printed, so that a failing run can be repeated.
inline std::uint64_t SeedFromEnvironment(const char* variable, std::uint64_t fallback) {
    std::uint64_t seed = fallback;
    if (const char* text = std::getenv(variable); text && *text)
        seed = std::strtoull(text, nullptr, 10);
    std::cout << "[ seed     ] " << variable << "=" << seed << "\n";
    return seed;
}

// A settings file as the other program and a user's hand leave it, padded with notes of up to
// `noteLength` characters to about `size` bytes. Every key the loader reads has a value that
// differs from what StandardSave() writes.
inline QByteArray RealisticSettingsFile(qsizetype size, std::uint64_t seed,
                                        std::uint64_t noteLength = 120) {
    QByteArray text = "; Dunmarek shift calendar\r\n"
                      "[Shift Schedule]\r\n"
                      "NumberOfPlatoons=4\r\n"
                      "DaysInRotation = 8 \r\n"
                      "ShiftRotation=\"AABBCCDD\"\r\n"
                      "StartDate=5/1/2023\r\n"
                      "\r\n"
                      "[Config]\r\n"
                      "Epoch=1950\r\n"
                      "HiliteCurrent=1\r\n"
                      "ShowYear=0\r\n"
                      "[Fonts]\r\n"
                      "HdrFontName=Times New Roman\r\n"
                      "CalFontSize=12\r\n"
                      "[Colors]\r\n"
                      "APlt=Red\r\n"
                      "AInv=White\r\n"
                      "BPlt=$00FF80\r\n"
                      "BInv=Black\r\n"
                      "DPlt=Aqua\r\n"
                      "GridColor=Gray\r\n"
                      "; end of colors\r\n"
                      "[Notes]\r\n";
    std::mt19937_64 random(seed);
    static constexpr char Words[] =
        "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    text.reserve(size + 256);
    for (int note = 0; text.size() < size; ++note) {
        if (note % 7 == 0)
            text += "; ";
        else
            text += "Note" + QByteArray::number(note) + "=";
        const auto length = random() % noteLength;
        for (std::uint64_t i = 0; i < length; ++i)
            text += Words[random() % (sizeof Words - 1)];
        text += "\r\n";
    }
    return text;
}

// What the window hands to SaveSettingsFile after the user changed everything it writes: three
// platoons A to C with known colors and a changed background.
struct SaveRequest {
    ScheduleFieldTexts fields{QStringLiteral("3"), QStringLiteral("24"),
                              QStringLiteral("ACABABABCBCACACABABCBCBC"), QString()};
    ScheduleSettings settings = AbsentKeyDefaults();
    bool backgroundChanged = true;
    ShortDateFormat format = DefaultShortDateFormat();

    SaveResult Save(const QString& path) const {
        return SaveSettingsFile(path, fields, settings, backgroundChanged, format);
    }
    bool SaveTo(const QString& path) const { return Save(path).ok; }
};

inline SaveRequest StandardSave() {
    SaveRequest request;
    request.settings.LetterSet = LetterSet::AToF;
    request.settings.NumberOfPlatoons = 3;
    request.settings.StartDay = DateToDayNumber(1, 3, 2024, 0);
    request.settings.PlatoonColors[u'A'] = {0x00FF00, 0x000000};
    request.settings.PlatoonColors[u'B'] = {0x800080, 0xFFFFFF};
    request.settings.PlatoonColors[u'C'] = {0xFFFFFF, 0x000000};
    request.settings.BkGr = 0xFFFFFF;
    request.settings.LdTr = 0x000000;
    return request;
}

// The lines StandardSave() writes, by section, as the file shows them after "Key=".
struct WrittenKey {
    const char* section;
    const char* key;
    const char* value;
};
inline constexpr WrittenKey StandardSaveKeys[] = {
    {"Shift Schedule", "NumberOfPlatoons", "3"},
    {"Shift Schedule", "DaysInRotation", "24"},
    {"Shift Schedule", "ShiftRotation", "ACABABABCBCACACABABCBCBC"},
    {"Shift Schedule", "StartDate", "3/1/2024"},
    {"Colors", "APlt", "Lime"},
    {"Colors", "AInv", "Black"},
    {"Colors", "BPlt", "Purple"},
    {"Colors", "BInv", "White"},
    {"Colors", "CPlt", "White"},
    {"Colors", "CInv", "Black"},
    {"Colors", "BkGr", "White"},
    {"Colors", "LdTr", "Black"},
};

// Conditions a save runs under in a child process; they stay in that process.
struct ChildConditions {
    // Run as the unprivileged user nobody when the tests run as root (root ignores permission
    // bits); any other user is unprivileged already and stays itself.
    bool unprivileged = false;
    // RLIMIT_FSIZE in bytes with SIGXFSZ ignored, so that a write past it returns an error; 0 for
    // no limit.
    rlim_t fileSizeLimit = 0;
    // Folders the save needs to reach; when the user cannot enter one, the case cannot be run.
    QString mustReach;
};

enum class ChildResult { Saved, Failed, CouldNotPrepare, Crashed };

inline const char* ChildResultName(ChildResult result) {
    switch (result) {
    case ChildResult::Saved:
        return "saved";
    case ChildResult::Failed:
        return "failed";
    case ChildResult::CouldNotPrepare:
        return "could not prepare";
    case ChildResult::Crashed:
        return "crashed";
    }
    return "?";
}

inline constexpr uid_t NobodyId = 65534;

// Runs one save in a forked child under the conditions and reports how it ended; a failed save's
// reason goes to *reason.
inline ChildResult SaveInChild(const QString& path, const SaveRequest& request,
                               const ChildConditions& conditions, QString* reason = nullptr) {
    const QByteArray reach = QFile::encodeName(conditions.mustReach);
    int told[2];
    if (::pipe(told) != 0)
        return ChildResult::CouldNotPrepare;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(told[0]);
        if (conditions.unprivileged && ::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 ||
                ::setuid(NobodyId) != 0 || ::geteuid() != NobodyId)
                ::_exit(3);
        }
        if (conditions.fileSizeLimit != 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{conditions.fileSizeLimit, conditions.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(3);
        }
        if (!reach.isEmpty() && ::access(reach.constData(), X_OK) != 0)
            ::_exit(3);
        const SaveResult result = request.Save(path);
        const QByteArray text = result.reason.toUtf8();
        if (::write(told[1], text.constData(), std::size_t(text.size())) != text.size())
            ::_exit(2);
        ::_exit(result.ok ? 0 : 1);
    }
    ::close(told[1]);
    QByteArray text;
    char chunk[256];
    for (ssize_t got; (got = ::read(told[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, got);
    ::close(told[0]);
    if (reason)
        *reason = QString::fromUtf8(text);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return ChildResult::CouldNotPrepare;
    if (!WIFEXITED(status))
        return ChildResult::Crashed;
    switch (WEXITSTATUS(status)) {
    case 0:
        return ChildResult::Saved;
    case 1:
        return ChildResult::Failed;
    case 3:
        return ChildResult::CouldNotPrepare;
    default:
        return ChildResult::Crashed;
    }
}

} // namespace kestro::reliability
