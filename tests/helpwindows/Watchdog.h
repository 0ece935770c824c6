#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

// Ends the test program when a step takes far too long: a page that hangs the text browser fails
// its test at once instead of holding CTest until the test's timeout.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds limit, std::string what)
        : thread_([this, limit, what = std::move(what)] {
              std::unique_lock lock(mutex_);
              if (!stopped_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "FAIL: %s took longer than %lld ms\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::_Exit(1);
              }
          }) {}

    ~Watchdog() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        stopped_.notify_one();
        thread_.join();
    }

    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable stopped_;
    bool done_ = false;
    std::thread thread_; // last: starts once the members above exist
};
