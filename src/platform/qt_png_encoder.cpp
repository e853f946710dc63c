#include "qt_png_encoder.h"

#include <QBuffer>

#include "model/file_util.h"

namespace quillo {

PngEncoder qtPngEncoder()
{
    return [](int width, int height, const std::vector<unsigned char>& rgba, std::vector<unsigned char>& png) {
        if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * size_t(height) * 4) return false;
        const QImage image(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
        png.assign(bytes.begin(), bytes.end());
        return true;
    };
}

bool savePng(const QImage& image, const std::string& path)
{
    if (image.isNull()) return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
    return writeFileAtomically(path, std::string(bytes.constData(), size_t(bytes.size())));
}

} // namespace quillo
