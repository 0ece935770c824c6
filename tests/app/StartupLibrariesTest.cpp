// The editor starts without the libraries of the calendar export and of the About picture: they
// are opened when first used (a program that links them loads them in every test process too).
#include "support/LoadedLibraries.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(StartupLibraries, NeitherLibicalNorLibjpegIsLoadedWithTheProgram) {
    EXPECT_FALSE(test::IsLoaded("libical"));
    EXPECT_FALSE(test::IsLoaded("libjpeg"));
}

} // namespace
} // namespace kestro
