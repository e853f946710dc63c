// The libFuzzer entry point of the motion and animation targets;
// QUILLO_HARNESS names the harness. A broken property ends the run.
#include <cstdio>
#include <cstdlib>

#ifdef QUILLO_HARNESS_HEADER
#include QUILLO_HARNESS_HEADER
#else
#include "anim_harness.h"
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string broken = quillo::fuzz::QUILLO_HARNESS(data, size);
    if (!broken.empty()) {
        std::fprintf(stderr, "property broken: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
