// The engine's XRGB8888 target as a Qt image, and written as PNG.
#pragma once

#include <QImage>

#include <string>

#include "engine3d/device.h"

namespace quillo {

QImage engineImage(const engine3d::Target& target);
bool writeEnginePng(const engine3d::Target& target, const std::string& path);

} // namespace quillo
