#include "support/MainFormHarness.h"

namespace kestro::test {

void FormTest::init() {
    run = std::make_unique<FormRun>();
}

void FormTest::cleanup() {
    run->prompts.VerifyAllShown();
    run.reset();
}

} // namespace kestro::test
