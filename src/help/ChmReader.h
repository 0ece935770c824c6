#pragma once

#include "help/HelpReaderProtocol.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

namespace kestro {

struct ChmReadResult {
    ChmAnswer answer = ChmAnswer::NotRead;
    QByteArray data; // the object, when answer is Found
};

// Called about every 10 ms while a read waits for the reader program; the help window passes a
// function that keeps the program's windows drawn.
using HelpReadWait = std::function<void()>;

// The reader program: the one set with SetHelpReaderProgram, else kestro-help-reader beside the
// running program's file (links resolved).
QString HelpReaderProgram();
// Points the reads at another reader program; an empty name returns to the one beside the program.
// The tests use the copy the build makes.
void SetHelpReaderProgram(const QString& program);

// Reads objects of a compiled help file with the reader program, which is stopped when it has not
// answered within HelpReadTimeoutMs: chmlib can crash or loop on a damaged file, and then only the
// reader is lost. One result per object name, in order. Without object names, one result that
// says whether chmlib opens the file. A reader that cannot be started, crashes or takes too long
// gives NotRead for every object it has not answered.
std::vector<ChmReadResult> ReadChmObjects(const QString& fileName,
                                          const QList<QByteArray>& objectNames,
                                          const HelpReadWait& whileWaiting = {});

} // namespace kestro
