#include "settings/FieldText.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(ReadFieldInteger, AcceptsSignedDecimalNumbersOnly) {
    const struct {
        const char16_t* text;
        std::optional<int> value;
    } cases[] = {
        {u"0", 0},
        {u"42", 42},
        {u"-5", -5},
        {u"+7", 7},
        {u"-0", 0},
        {u"0099", 99},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483648", std::nullopt},
        {u"-2147483649", std::nullopt},
        {u"99999999999999999999", std::nullopt},
        {u"", std::nullopt},
        {u" ", std::nullopt},
        {u" 5", std::nullopt},
        {u"5 ", std::nullopt},
        {u"+", std::nullopt},
        {u"-", std::nullopt},
        {u"--1", std::nullopt},
        {u"+-1", std::nullopt},
        {u"12a", std::nullopt},
        {u"1e3", std::nullopt},
        {u"$10", std::nullopt},
        {u"0x10", std::nullopt},
        {u"3.0", std::nullopt},
        {u"1,000", std::nullopt},
        {u"\u0661\u0662", std::nullopt}, // Arabic-Indic digits
        {u"\uff11", std::nullopt},       // full-width 1
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(ReadFieldInteger(text), c.value) << text.toStdString();
        EXPECT_EQ(NotAnIntegerText(text),
                  QLatin1Char('\'') + text + QLatin1String("' is not a valid integer value"));
    }
}

} // namespace
} // namespace kestro
