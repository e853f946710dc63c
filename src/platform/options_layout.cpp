#include "options_layout.h"

#include "model/file_util.h"
#include "model/text_util.h"

namespace quillo {

const ResolutionSize resolutionSizes[5] = {{1600, 1200}, {1280, 1024}, {1024, 768}, {800, 600}, {640, 480}};

int resolutionIndex(int maxwidth)
{
    for (int i = 0; i < 5; ++i)
        if (resolutionSizes[i].width == maxwidth) return i;
    return -1;
}

void acceptDefaultFile(std::string& file, size_t limit)
{
    file = cutUtf8(file, limit);
    if (!readableFile(file)) file.clear();
}

} // namespace quillo
