#pragma once

namespace kestro {

// Lets a save finish before SIGTERM or SIGINT ends the program: a signal that comes while a
// SaveInProgress exists ends the program as soon as the last one goes; at any other time it ends
// the program at once, as it would without a handler. A signal the program was started with
// ignored stays ignored. The handler may run on any thread.
void InstallEndSignalHandlers();

class SaveInProgress {
public:
    SaveInProgress();
    ~SaveInProgress();
    SaveInProgress(const SaveInProgress&) = delete;
    SaveInProgress& operator=(const SaveInProgress&) = delete;
};

} // namespace kestro
