#include <string>

#include "harness.h"
#include "model/bmp_pattern.h"
#include "model/colour_table.h"
#include "model/messages.h"
#include "scratch_folder.h"

namespace quillo::fuzz {

std::string bmp(const uint8_t* data, size_t size)
{
    const std::string path = scratchFile("pattern.bmp", data, size);
    MessageLog log;
    GMTBL table;
    Texture texture = makeTexture();
    if (!checkPattern(texture, path.c_str(), table)) {
        if (log.messages.size() != 1) return "a refused pattern showed no message or several";
        if (texture.width != 0 || texture.height != 0) return "a refused pattern fixed the texture's size";
        return "";
    }
    const int32_t w = texture.width, h = texture.height;
    if (w <= 0 || (w & (w - 1)) != 0 || h < 0) return "an accepted pattern gave a bad size";
    // A second pattern from the same file has the same size.
    if (!checkPattern(texture, path.c_str(), table)) return "the same file was refused the second time";
    texture.patternCount = 2;
    std::snprintf(texture.files[0], pathSize, "%s", path.c_str());
    std::snprintf(texture.files[1], pathSize, "%s", path.c_str());
    std::string broken;
    if (!loadPatterns(texture, table)) broken = "an accepted pattern did not load";
    for (int p = 0; p < 2 && broken.empty(); ++p)
        for (int32_t y = 0; y < h && broken.empty(); ++y)
            for (int32_t x = 0; x < w; ++x) {
                int32_t texel = texture.images[p][y][x];
                if (texel % 64 != 0 || texel < 0 || texel / 64 >= GMTBL::maxColours) {
                    broken = "a texel outside the colour table";
                    break;
                }
            }
    if (broken.empty() && h > 0 && texture.currentImage != texture.images[0]) broken = "no current image";
    releaseImages(texture);
    return broken;
}

} // namespace quillo::fuzz
