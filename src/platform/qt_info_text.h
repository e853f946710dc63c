// The engine's text line drawn with Qt: "ＭＳ Ｐゴシック" (IPA P Gothic) 12
// pixels high, yellow on black, into a surface as large as the text.
#pragma once

#include "engine3d/device_layer.h"

namespace quillo {

class QtInfoText : public engine3d::TextRasteriser {
public:
    engine3d::Surface draw(const std::string& text) override;
};

} // namespace quillo
