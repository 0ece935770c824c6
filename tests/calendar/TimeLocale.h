#pragma once

#include <clocale>
#include <string>

namespace kestro::test {

// Switches LC_TIME for one test, as the program's start-up does from the environment, and puts
// the previous locale back.
class TimeLocale {
public:
    explicit TimeLocale(const char* name) {
        const char* previous = std::setlocale(LC_TIME, nullptr);
        previous_ = previous ? previous : "C";
        ok_ = std::setlocale(LC_TIME, name) != nullptr;
    }
    ~TimeLocale() { std::setlocale(LC_TIME, previous_.c_str()); }
    TimeLocale(const TimeLocale&) = delete;
    TimeLocale& operator=(const TimeLocale&) = delete;
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

} // namespace kestro::test
