#include "files/FileName.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(FileName, EveryByteStringComesBackAsItWas) {
    const struct {
        QByteArray bytes;
        bool utf8;
    } cases[] = {
        {"Dunmarek.ini", true},
        {"Station \xC3\xA9t\xC3\xA9/\xE2\x82\xAC \xF0\x9F\x9A\x92.ini", true},
        {"shift\xFF.ini", false},
        {"\x80\xBF\xFE", false},
        {"\xC0\x80 overlong", false},
        {"\xED\xA0\x80 surrogate", false},
        {"\xED\xB2\x80 escaped surrogate", false},
        {"cut \xE2\x82", false},
        {"\xF4\x90\x80\x80 above U+10FFFF", false},
        {"\xF5\x80", false},
    };
    for (const auto& c : cases) {
        const QString name = FileNameFromBytes(c.bytes);
        EXPECT_EQ(FileNameToBytes(name), c.bytes) << c.bytes.toHex().constData();
        EXPECT_EQ(name == QString::fromUtf8(c.bytes), c.utf8) << c.bytes.toHex().constData();
    }
    // Every single byte, and every pair, survives.
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const QByteArray bytes = QByteArray(1, char(a)) + char(b);
            ASSERT_EQ(FileNameToBytes(FileNameFromBytes(bytes)), bytes)
                << bytes.toHex().constData();
        }
    }
}

TEST(FileName, TextFromElsewhereIsWrittenAsUtf8) {
    EXPECT_EQ(FileNameToBytes(QStringLiteral("\u00E9\u20AC")), QByteArray("\xC3\xA9\xE2\x82\xAC"));
    // A lone surrogate that stands for no byte has no byte form; it is written as U+FFFD.
    EXPECT_EQ(FileNameToBytes(QString(QChar(0xD800))), QByteArray("\xEF\xBF\xBD"));
}

} // namespace
} // namespace kestro
