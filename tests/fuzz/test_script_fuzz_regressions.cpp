// Every script kept under tests/fuzz/script_* (seeds and anything that ever
// broke a property) read again by its program's reader.
#include "kept_inputs.h"
#include "script_harness.h"

TEST(ScriptFuzzRegressions, Modeler) { quillo::test::runKeptInputs("script_modeler", quillo::fuzz::modelerScript); }
TEST(ScriptFuzzRegressions, Anime) { quillo::test::runKeptInputs("script_anime", quillo::fuzz::animeScript); }
TEST(ScriptFuzzRegressions, Facesmith) { quillo::test::runKeptInputs("script_facesmith", quillo::fuzz::facesmithScript); }
TEST(ScriptFuzzRegressions, Saver) { quillo::test::runKeptInputs("script_saver", quillo::fuzz::saverScript); }
