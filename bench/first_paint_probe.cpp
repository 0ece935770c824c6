// Linked into a copy of a program (kestro's own main.cpp, or the minimal window) to time its
// start-up without changing the program: when the QApplication is made, it installs an event
// filter that waits for the first paint of a visible top-level window, lets that frame reach the
// window system, and then prints two CLOCK_MONOTONIC stamps on stderr and ends the process at
// once (no tear-down is timed). bench/startup_timer.py starts the program and reads the stamps.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long long applicationMadeNs = 0;

class FirstPaintFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            const QWidget* window = static_cast<QWidget*>(watched)->window();
            if (window->isVisible()) {
                seen_ = true;
                // Runs once the paint and the flush of this frame have finished.
                const QByteArray title = window->windowTitle().toUtf8();
                QTimer::singleShot(0, [title] {
                    std::fprintf(stderr, "first-paint-probe app=%lld painted=%lld title=%s\n",
                                 applicationMadeNs, MonotonicNs(), title.constData());
                    std::fflush(stderr);
                    std::_Exit(0);
                });
            }
        }
        return false;
    }

private:
    bool seen_ = false;
};

void InstallFirstPaintProbe() {
    applicationMadeNs = MonotonicNs();
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintFilter(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintProbe)
