// The libFuzzer entry point of one target; QUILLO_HARNESS names its harness
// function. A broken property is printed and ends the run as a finding.
#include <cstdio>
#include <cstdlib>

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string broken = quillo::fuzz::QUILLO_HARNESS(data, size);
    if (!broken.empty()) {
        std::fprintf(stderr, "property broken: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
