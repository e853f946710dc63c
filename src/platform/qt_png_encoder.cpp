#include "qt_png_encoder.h"

#include <QBuffer>

#include "model/file_util.h"

namespace quillo {

namespace {

// The PNG file of `image`, in memory.
bool encodePng(const QImage& image, QByteArray& bytes)
{
    QBuffer buffer(&bytes);
    return !image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG");
}

} // namespace

PngEncoder qtPngEncoder()
{
    return [](int width, int height, const std::vector<unsigned char>& rgba, std::vector<unsigned char>& png) {
        if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * size_t(height) * 4) return false;
        QByteArray bytes;
        if (!encodePng(QImage(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888), bytes)) return false;
        png.assign(bytes.begin(), bytes.end());
        return true;
    };
}

bool savePng(const QImage& image, const std::string& path)
{
    QByteArray bytes;
    return encodePng(image, bytes) &&
           writeFileAtomically(path, std::string(bytes.constData(), size_t(bytes.size())));
}

} // namespace quillo
