#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace kestro::test {

// Answers a real modal window while the code under test waits in its event loop. Every 10 ms it
// hands the active modal window to `answer`, which answers it and returns true, or returns false
// while it is not yet the window expected. It answers once. From then on, and for every window
// still unanswered when the time limit is over, it closes each modal window that shows at once
// and counts it in `unexpected`: a second box, or one that comes late, fails the test in seconds
// instead of holding it until the CTest time limit. It watches until it is destroyed.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<bool(QWidget*)> answer, int limitMs = 10000)
        : answer_(std::move(answer)), limitMs_(limitMs) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(10);
        clock_.start();
    }

    // Expects no modal window at all: closes each one that shows.
    ModalAnswer() : ModalAnswer([](QWidget*) { return false; }, 0) {}

    bool answered = false;
    int unexpected = 0; // modal windows closed without an answer

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        if (!answered && clock_.elapsed() < limitMs_) {
            answered = answer_(modal);
            return;
        }
        ++unexpected;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    std::function<bool(QWidget*)> answer_;
    int limitMs_;
    QTimer timer_;
    QElapsedTimer clock_;
};

} // namespace kestro::test
