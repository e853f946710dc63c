// libFuzzer target: the engine's BMP reader on arbitrary bytes, as a new
// surface and as a reload into a 4 x 4 one, with and without a key colour.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine3d/load_surface.h"
#include "model/messages.h"

namespace {

class Silent : public quillo::MessageSink {
public:
    void error(const std::string&) override {}
    bool ask(const std::string&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Silent silent;
    quillo::setMessageSink(&silent);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    using namespace quillo::engine3d;
    Surface fresh;
    if (decodeSurface(bytes, "fuzz.bmp", fresh, false, KeyColour{1, 2, 3}) &&
        fresh.pixels.size() != size_t(fresh.width) * size_t(fresh.height))
        __builtin_trap();
    Surface existing;
    existing.width = existing.height = 4;
    existing.pixels.assign(16, 0);
    decodeSurface(bytes, "fuzz.bmp", existing, true, KeyColour());
    if (existing.pixels.size() != 16) __builtin_trap();
    return 0;
}
