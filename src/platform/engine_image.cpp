#include "engine_image.h"

#include "qt_png_encoder.h"

namespace quillo {

QImage engineImage(const engine3d::Target& target)
{
    if (target.width <= 0 || target.height <= 0) return QImage();
    QImage image(target.width, target.height, QImage::Format_RGB32);
    for (int y = 0; y < target.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint32_t* from = target.pixels.data() + size_t(y) * size_t(target.width);
        for (int x = 0; x < target.width; ++x) row[x] = 0xFF000000u | from[x];
    }
    return image;
}

bool writeEnginePng(const engine3d::Target& target, const std::string& path)
{
    return savePng(engineImage(target), path);
}

} // namespace quillo
