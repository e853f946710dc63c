// PNG encoding for the exchange writers, over QImage.
#pragma once

#include "exchange/gltf_writer.h"

namespace quillo {

PngEncoder qtPngEncoder();

} // namespace quillo
