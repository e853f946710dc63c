#include "command_args.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quillo {

bool readInt(const char* text, int& value)
{
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
    value = int(v);
    return true;
}

bool readSize(const char* text, int& width, int& height, int maxSide)
{
    const char* x = std::strchr(text, 'x');
    if (!x) return false;
    const std::string w(text, x);
    return readInt(w.c_str(), width) && readInt(x + 1, height) && width >= 1 && height >= 1 && width <= maxSide &&
           height <= maxSide;
}

bool readView(const char* text, float (&view)[6])
{
    const char* at = text;
    for (int i = 0; i < 6; ++i) {
        char* end = nullptr;
        view[i] = std::strtof(at, &end);
        if (end == at) return false;
        if (i < 5 && *end != ',') return false;
        if (i == 5 && *end != '\0') return false;
        at = end + 1;
    }
    return true;
}

} // namespace quillo
