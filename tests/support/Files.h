#pragma once

#include "calendar/Clock.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kestro::test {

class FixedClock final : public Clock {
public:
    explicit FixedClock(CalendarDate today) : today_(today) {}
    CalendarDate Today() const override { return today_; }

private:
    CalendarDate today_;
};

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

} // namespace kestro::test
