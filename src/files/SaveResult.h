#pragma once

#include <QString>

namespace kestro {

// How a save ended and, when it failed, why: a line the user reads below the failure message. A
// reason reads like the system's own error texts ("Permission denied"): it starts with a capital
// letter and has no final period.
struct SaveResult {
    bool ok = false;
    QString reason;

    static SaveResult Saved() { return {true, {}}; }
    static SaveResult Failed(const QString& reason) { return {false, reason}; }
    static SaveResult Failed(const char* reason) { return {false, QString::fromUtf8(reason)}; }
    explicit operator bool() const { return ok; }
};

// The system's text for an errno value, such as "No space left on device".
QString SystemErrorText(int error);

// The program's own reasons why a file cannot be read or saved.
namespace FileReasons {
inline constexpr const char* NoFileName = "No file name was given";
inline constexpr const char* IsAFolder = "It is a folder, not a file";
inline constexpr const char* NotARegularFile = "It is not a regular file";
inline constexpr const char* TooLarge = "The file is larger than 128 MiB";
inline constexpr const char* OutOfMemory = "There is not enough memory to read it";
inline constexpr const char* WouldBeTooLarge = "The saved file would be larger than 128 MiB";
inline constexpr const char* OldContentKeptIn = "The old content is kept in %1";
inline constexpr const char* OldContentLost = "The old content could not be put back";
} // namespace FileReasons

} // namespace kestro
