#include "gmtbl.h"

#include "model/messages.h"

namespace quillo::engine3d {

MaterialDesc GMTBL::build(int32_t red, int32_t green, int32_t blue, float f1, float f2, float f3,
                          TextureHandle texture) const
{
    (void)f3; // the device's own specular is fixed; the model's coefficient is not used
    MaterialDesc m;
    if (texture != 0) {
        m.diffuse = {f2 - f1, f2 - f1, f2 - f1, 1.0f};
        m.ambient = {f1, f1, f1, 0.0f};
    } else {
        const float k = 0.003921569f; // 1 / 255
        m.diffuse = {(f2 - f1) * float(red) * k, (f2 - f1) * float(green) * k, (f2 - f1) * float(blue) * k, 1.0f};
        m.ambient = {f1 * float(red) * k, f1 * float(green) * k, f1 * float(blue) * k, 0.0f};
    }
    m.specular = {1.0f, 1.0f, 1.0f, 0.0f};
    m.power = 80.0f;
    m.texture = texture;
    m.rampSize = dither_ ? 8 : 32;
    return m;
}

MaterialHandle GMTBL::add(int32_t red, int32_t green, int32_t blue, float f1, float f2, float f3, TextureHandle texture)
{
    const MaterialDesc m = build(red, green, blue, f1, f2, f3, texture);
    for (const Entry& e : entries_)
        if (e.desc.ambient == m.ambient && e.desc.diffuse == m.diffuse && e.desc.texture == m.texture) return e.handle;
    const MaterialHandle handle = device_.createMaterial(m);
    if (handle == 0) return 0;
    if (entries_.append(Entry{m, handle}) < 0) {
        device_.releaseMaterial(handle);
        errorbox(formatMessage("メモリか足りません\nGMTBL::add関数"));
        return 0;
    }
    return handle;
}

void GMTBL::clear()
{
    for (const Entry& e : entries_) device_.releaseMaterial(e.handle);
    entries_.reset();
}

const MaterialDesc* GMTBL::desc(int i) const
{
    const Entry* e = entries_.at(i);
    return e ? &e->desc : nullptr;
}

} // namespace quillo::engine3d
