#include "startup/CommandLineInfo.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

TEST(FindInfoRequest, FirstHelpOrVersionArgumentAnswers) {
    struct Case {
        QStringList arguments;
        InfoRequest expected;
    };
    const Case cases[] = {
        {{}, InfoRequest::None},
        {{S("Dunmarek.ini")}, InfoRequest::None},
        {{S("--help")}, InfoRequest::Help},
        {{S("--version")}, InfoRequest::Version},
        {{S("-iDunmarek.ini"), S("--version")}, InfoRequest::Version},
        {{S("--version"), S("--help")}, InfoRequest::Version},
        {{S("--help"), S("--version")}, InfoRequest::Help},
        {{S("-help"), S("-version"), S("--HELP"), S("--versions"), S("-i--help")},
         InfoRequest::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindInfoRequest(c.arguments), c.expected)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace kestro
