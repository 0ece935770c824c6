#pragma once

#include "support/Files.h"
#include "support/ProgramRun.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kestro::test {

using KestroRun = ProgramRun;

// Runs the kestro program the build makes (see RunProgram).
inline KestroRun RunKestro(const QStringList& arguments, const QString& folder,
                           const QStringList& environment = {}) {
    return RunProgram(QStringLiteral(KESTRO_EXECUTABLE), arguments, folder, environment);
}

inline QByteArray SettingsText(const char* rotation, const char* startDate) {
    return QByteArray("[Shift Schedule]\nNumberOfPlatoons=3\nDaysInRotation=") +
           QByteArray::number(qstrlen(rotation)) + "\nShiftRotation=" + rotation +
           "\nStartDate=" + startDate + "\n";
}

} // namespace kestro::test
