#include "base/SharedLibrary.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace kestro {
namespace {

TEST(SharedLibrary, FindsAFunctionOfTheLibrary) {
    SharedLibrary libc("libc.so.6");
    std::size_t (*length)(const char*) = nullptr;
    ASSERT_TRUE(libc.Find("strlen", length)) << libc.Error().toStdString();
    EXPECT_EQ(length("kestro"), 6u);
    EXPECT_TRUE(libc.Error().isEmpty());
}

TEST(SharedLibrary, SaysWhichLibraryOrFunctionIsMissing) {
    SharedLibrary missing("libkestro-missing.so.1");
    int (*function)() = nullptr;
    EXPECT_FALSE(missing.Find("strlen", function));
    EXPECT_EQ(function, nullptr);
    EXPECT_EQ(missing.Name(), QStringLiteral("libkestro-missing.so.1"));
    EXPECT_TRUE(missing.Error().contains(QStringLiteral("libkestro-missing.so.1")))
        << missing.Error().toStdString();

    SharedLibrary libc("libc.so.6");
    EXPECT_FALSE(libc.Find("kestro_no_such_function", function));
    EXPECT_EQ(function, nullptr);
    EXPECT_TRUE(libc.Error().contains(QStringLiteral("kestro_no_such_function")))
        << libc.Error().toStdString();
}

} // namespace
} // namespace kestro
