#pragma once

#include "support/ProgramRun.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kestro::test {

// Runs the kestro program the build makes (see RunProgram); the test program defines
// KESTRO_EXECUTABLE.
inline ProgramRun RunKestro(const QStringList& arguments, const QString& folder,
                            const QStringList& environment = {}) {
    return RunProgram(QStringLiteral(KESTRO_EXECUTABLE), arguments, folder, environment);
}

// A settings file of three platoons with the rotation from the start date (M/d/yyyy).
inline QByteArray SettingsText(const char* rotation, const char* startDate) {
    return QByteArray("[Shift Schedule]\nNumberOfPlatoons=3\nDaysInRotation=") +
           QByteArray::number(qstrlen(rotation)) + "\nShiftRotation=" + rotation +
           "\nStartDate=" + startDate + "\n";
}

} // namespace kestro::test
