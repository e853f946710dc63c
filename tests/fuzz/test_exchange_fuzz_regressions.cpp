// Every input kept under tests/fuzz/gltf and tests/fuzz/obj (seeds and
// anything that ever broke a property) runs through its harness again.
#include "exchange_harness.h"
#include "kept_inputs.h"

TEST(ExchangeFuzzRegressions, Gltf) { quillo::test::runKeptInputs("gltf", quillo::fuzz::gltf); }
TEST(ExchangeFuzzRegressions, Obj) { quillo::test::runKeptInputs("obj", quillo::fuzz::obj); }
