// The editor starts without the libraries of the calendar export and of the About picture: they
// are opened when first used (a program that links them loads them in every test process too).
#include "sharing/PrintModule.h"
#include "support/LoadedLibraries.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace kestro {
namespace {

TEST(StartupLibraries, NeitherLibicalNorLibjpegIsLoadedWithTheProgram) {
    EXPECT_FALSE(test::IsLoaded("libical"));
    EXPECT_FALSE(test::IsLoaded("libjpeg"));
}

// Qt Print Support comes with the print module (PrintModuleFile), which the first print opens.
TEST(StartupLibraries, QtPrintSupportComesOnlyWithThePrintModule) {
    EXPECT_FALSE(test::IsLoaded("libQt6PrintSupport"));
    void* module = dlopen(KESTRO_PRINT_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_TRUE(test::IsLoaded("libQt6PrintSupport"));
    EXPECT_NE(dlsym(module, PrintPreviewSymbol), nullptr);
}

} // namespace
} // namespace kestro
