// Helpers for the converter's tests: a private temporary folder, files in
// it, and DXF text in the layout that the converter was first made for.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "dxfconv/dxf_records.h"

namespace quillo::test {

class TempFolder {
public:
    TempFolder()
    {
        char name[] = "/tmp/dxfconv-test-XXXXXX";
        path_ = mkdtemp(name) ? name : "/tmp";
    }
    ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool fileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// A 3DFACE as "8, layer, 62, colour, then the twelve coordinate pairs",
// each corner given as x y z.
inline std::string plainFace(int colour, std::initializer_list<double> coords, const char* layer = "0")
{
    std::string text = "  0\n3DFACE\n  8\n" + std::string(layer) + "\n 62\n" + std::to_string(colour) + "\n";
    int i = 0;
    for (double v : coords) {
        int corner = i / 3, axis = i % 3;
        char number[64];
        std::snprintf(number, sizeof number, "%.9g", v);
        text += " " + std::to_string((axis + 1) * 10 + corner) + "\n" + number + "\n";
        ++i;
    }
    return text;
}

// A face of this colour with its corners given as x, y, z in turn.
inline DxfFace dxfFace(int colour, std::initializer_list<float> corners)
{
    DxfFace f{};
    int i = 0;
    for (float v : corners) f.corner[i / 3][i % 3] = v, ++i;
    f.colour = colour;
    return f;
}

inline std::string entities(const std::string& faces)
{
    return "  0\nSECTION\n  2\nENTITIES\n" + faces + "  0\nENDSEC\n  0\nEOF\n";
}

} // namespace quillo::test
