#include "ini/IniDocument.h"
#include "ini/IniValues.h"
#include "support/IniTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

struct IntegerCase {
    std::optional<QString> value;
    int expected;
};

class IniInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(IniInteger, ReadsOrFallsBackToDefault) {
    EXPECT_EQ(ReadIniInteger(GetParam().value, 3), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, IniInteger,
    testing::Values(IntegerCase{std::nullopt, 3}, IntegerCase{u"4"_s, 4}, IntegerCase{u"+7"_s, 7},
                    IntegerCase{u"-7"_s, -7}, IntegerCase{u"007"_s, 7}, IntegerCase{u"-0"_s, 0},
                    IntegerCase{u"2147483647"_s, INT_MAX}, IntegerCase{u"-2147483648"_s, INT_MIN},
                    IntegerCase{u"2147483648"_s, 3}, IntegerCase{u"-2147483649"_s, 3},
                    IntegerCase{u"99999999999999999999"_s, 3}, IntegerCase{u"4a"_s, 3},
                    IntegerCase{u""_s, 3}, IntegerCase{u"yes"_s, 3}, IntegerCase{u"+"_s, 3},
                    IntegerCase{u"-"_s, 3}, IntegerCase{u"+-1"_s, 3}, IntegerCase{u" 4"_s, 3},
                    IntegerCase{u"4 "_s, 3}, IntegerCase{u"1.0"_s, 3},
                    IntegerCase{u"\u0664"_s, 3} /* Arabic-Indic four */));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, IniInteger,
    testing::Values(IntegerCase{u"0x4"_s, 4}, IntegerCase{u"0X1f"_s, 31},
                    IntegerCase{u"$aB"_s, 0xAB}, IntegerCase{u"$7FFFFFFF"_s, INT_MAX},
                    IntegerCase{u"$80000000"_s, INT_MIN}, IntegerCase{u"$FFFFFFFF"_s, -1},
                    IntegerCase{u"$000000001"_s, 1}, IntegerCase{u"$100000000"_s, 3},
                    IntegerCase{u"-$10"_s, -16}, IntegerCase{u"+0x10"_s, 16},
                    IntegerCase{u"-$FFFFFFFF"_s, 1}, IntegerCase{u"-$80000000"_s, INT_MIN},
                    IntegerCase{u"$"_s, 3}, IntegerCase{u"0x"_s, 3}, IntegerCase{u"0x-1"_s, 3},
                    IntegerCase{u"$G"_s, 3}, IntegerCase{u"x10"_s, 3}, IntegerCase{u"$-1"_s, 3}));

struct BoolCase {
    std::optional<QString> value;
    bool defaultValue;
    bool expected;
};

class IniBool : public testing::TestWithParam<BoolCase> {};

TEST_P(IniBool, ReadsIntegerAsTruth) {
    EXPECT_EQ(ReadIniBool(GetParam().value, GetParam().defaultValue), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniBool,
    testing::Values(BoolCase{u"0"_s, true, false}, BoolCase{u"2"_s, false, true},
                    BoolCase{u"-1"_s, false, true}, BoolCase{u"$0"_s, true, false},
                    BoolCase{u"yes"_s, true, true}, BoolCase{u"yes"_s, false, false},
                    BoolCase{u""_s, true, true}, BoolCase{u""_s, false, false},
                    BoolCase{std::nullopt, true, true}, BoolCase{std::nullopt, false, false}));

TEST(IniTextTest, DefaultOnlyWhenAbsent) {
    EXPECT_EQ(ReadIniText(std::nullopt, u"Arial"_s), u"Arial"_s);
    EXPECT_EQ(ReadIniText(u""_s, u"Arial"_s), u""_s);
    EXPECT_EQ(ReadIniText(u"Tahoma"_s, u"Arial"_s), u"Tahoma"_s);
}

TEST(IniValuesTest, BlanksAndQuotesGoBeforeConversion) {
    const IniDocument doc = ParseIni("[S]\nA = \t4  \nB=\"0x10\"\nC=' 5'\n"_ba);
    EXPECT_EQ(ReadIniInteger(ReadIniValue(doc, u"S"_s, u"A"_s), 3), 4);
    EXPECT_EQ(ReadIniInteger(ReadIniValue(doc, u"S"_s, u"B"_s), 3), 16);
    EXPECT_EQ(ReadIniInteger(ReadIniValue(doc, u"S"_s, u"C"_s), 3), 3);
}

} // namespace
