#pragma once

#include <QString>
#include <QStringList>

namespace kestro {

// "--help" and "--version" answer on standard output and end the run before any window exists.
enum class InfoRequest { None, Help, Version };

// The first "--help" or "--version" among the arguments that follow the program name.
InfoRequest FindInfoRequest(const QStringList& arguments);

QString UsageText();
QString VersionText();

} // namespace kestro
