#pragma once

#include <QString>

#include <dlfcn.h>

namespace kestro {

// A shared library opened when a command first needs it rather than with the program. A library
// the program links is loaded, and with immediate binding has every symbol it uses resolved, at
// each start of the editor, and each library in the program's search list makes every other
// symbol lookup of the start a little longer. The library stays loaded for the rest of the run.
class SharedLibrary {
public:
    explicit SharedLibrary(const char* soname) : name_(QString::fromLatin1(soname)) {
        handle_ = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
        if (handle_ == nullptr)
            error_ = QString::fromLocal8Bit(dlerror());
    }
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    const QString& Name() const { return name_; }
    // Why the library or the last function looked for could not be found; empty when all was.
    const QString& Error() const { return error_; }

    // The function of the library by name, or nullptr (with Error telling why).
    template <typename Function> bool Find(const char* symbol, Function*& function) {
        function = nullptr;
        if (handle_ == nullptr)
            return false;
        dlerror();
        function = reinterpret_cast<Function*>(dlsym(handle_, symbol));
        if (function == nullptr) {
            const char* reason = dlerror();
            error_ = reason != nullptr
                         ? QString::fromLocal8Bit(reason)
                         : QString::fromLatin1(symbol) + QStringLiteral(" is missing");
        }
        return function != nullptr;
    }

private:
    QString name_;
    void* handle_ = nullptr;
    QString error_;
};

} // namespace kestro
