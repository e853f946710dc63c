// Every input kept under tests/fuzz/md6 and tests/fuzz/md7 (seeds and
// anything that ever broke a property) runs through its harness again.
#include "anim_harness.h"
#include "kept_inputs.h"

TEST(AnimFuzzRegressions, Md6) { quillo::test::runKeptInputs("md6", quillo::fuzz::md6); }
TEST(AnimFuzzRegressions, Md7) { quillo::test::runKeptInputs("md7", quillo::fuzz::md7); }
