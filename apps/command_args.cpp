#include "command_args.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

bool parseRenderArguments(int argc, char** argv, int maxSide, RenderArguments& o, std::string& error,
                          const std::function<int(const std::string& word, int& i)>& other)
{
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--size") {
            if (!hasValue || !readSize(argv[++i], o.width, o.height, maxSide)) {
                error = "--size needs WIDTHxHEIGHT, each 1 to " + std::to_string(maxSide);
                return false;
            }
        } else if (arg == "--zoom") {
            if (!hasValue || !readInt(argv[++i], o.zoom)) {
                error = "--zoom needs an integer (256 = 1.0)";
                return false;
            }
        } else if (arg == "--camera") {
            if (!hasValue || !readView(argv[++i], o.view)) {
                error = "--camera needs x,y,z,a,b,c";
                return false;
            }
            o.camera = true;
        } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            const int taken = other(arg, i);
            if (taken < 0) return false;
            if (taken == 0) {
                error = "unknown option " + arg;
                return false;
            }
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        error = "--render needs OUT.png and MODEL";
        return false;
    }
    o.output = files[0];
    o.model = files[1];
    return true;
}

} // namespace quillo
