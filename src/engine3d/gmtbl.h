// The engine's material table: one device material per distinct lit colour
// and texture, shared by every face that looks the same.
#pragma once

#include "device.h"
#include "model/record_array.h"

namespace quillo::engine3d {

class GMTBL {
public:
    GMTBL(Device& device, bool dither) : device_(device), dither_(dither) {}
    ~GMTBL() { clear(); }
    GMTBL(const GMTBL&) = delete;
    GMTBL& operator=(const GMTBL&) = delete;

    // The handle of a material with these values: red, green, blue 0..255
    // and the model's ambient (f1), diffuse (f2) and specular (f3)
    // coefficients. Textured: diffuse (f2 - f1) and ambient f1 in grey, the
    // texel giving the colour; else both scaled by the colour. An equal
    // material (ambient, diffuse and texture) is shared. 0 when the device
    // or memory fails.
    MaterialHandle add(int32_t red, int32_t green, int32_t blue, float f1, float f2, float f3, TextureHandle texture);
    // Releases every material (a document is cleared).
    void clear();
    int count() const { return entries_.count(); }
    const MaterialDesc* desc(int i) const;

    // The material `add` would make, without adding it.
    MaterialDesc build(int32_t red, int32_t green, int32_t blue, float f1, float f2, float f3,
                       TextureHandle texture) const;

private:
    struct Entry {
        MaterialDesc desc;
        MaterialHandle handle;
    };
    Device& device_;
    bool dither_;
    Records<Entry> entries_;
};

} // namespace quillo::engine3d
