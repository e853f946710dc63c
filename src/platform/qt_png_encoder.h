// PNG encoding over QImage: for the exchange writers, and the pictures the
// programs write (renders, screenshots, image sequences).
#pragma once

#include <QImage>

#include <string>

#include "exchange/gltf_writer.h"

namespace quillo {

PngEncoder qtPngEncoder();

// Writes `image` as a PNG file atomically: a failed write leaves an older
// file of that name whole and no partial file behind. False on failure.
bool savePng(const QImage& image, const std::string& path);

} // namespace quillo
