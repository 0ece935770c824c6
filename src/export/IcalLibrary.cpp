#include "export/IcalLibrary.h"

#include "base/SharedLibrary.h"

namespace kestro {

namespace {

struct LoadedIcal {
    SharedLibrary library{KESTRO_LIBICAL_SONAME};
    IcalFunctions functions;
    bool complete = true;

    LoadedIcal() {
#define KESTRO_ICAL_FIND(name) complete = complete && library.Find(#name, functions.name);
        KESTRO_ICAL_FUNCTIONS(KESTRO_ICAL_FIND)
#undef KESTRO_ICAL_FIND
    }
};

} // namespace

const IcalFunctions* Ical(QString& error) {
    static const LoadedIcal ical;
    if (ical.complete)
        return &ical.functions;
    error = QStringLiteral("The calendar library %1 could not be loaded: %2")
                .arg(ical.library.Name(), ical.library.Error());
    return nullptr;
}

} // namespace kestro
