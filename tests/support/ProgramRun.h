#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace kestro::test {

// The words of a command line.
QStringList Args(std::initializer_list<const char*> words);

struct ProgramRun {
    int exitCode = -1; // -1 when the program did not end by itself within a minute
    QString out;
    QString err;
};

// Runs a built program in folder, which is also its home, with no display at all and in the C
// locale (dates M/d/yyyy); the settings-file search sees only folders below home. Each of
// environment ("NAME=value") is set on top.
ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QString& folder,
                      const QStringList& environment = {});

} // namespace kestro::test
