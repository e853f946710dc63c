// Large generated model files shared by the benchmarks, made once in /tmp.
#pragma once

#include <cstdio>
#include <string>

namespace quillo {

// A grid of quads: `parts` parts of `perPart` faces, over a shared sheet of vertices.
inline std::string makeModelFile(int parts, int perPart)
{
    const std::string path = "/tmp/quillo_bench_" + std::to_string(parts) + "x" + std::to_string(perPart) + ".md4";
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fclose(f);
        return path;
    }
    const int faces = parts * perPart;
    const int side = 1000; // quads per row
    const int rows = (faces + side - 1) / side;
    std::string text = "ob big 0 0 0\n dt     0.0125\n";
    char line[96];
    for (int y = 0; y <= rows; ++y)
        for (int x = 0; x <= side; ++x) {
            std::snprintf(line, sizeof line, " v %d %d %d\n", x * 8 - 4000, y * 8 - 4000, (x * y) % 97);
            text += line;
        }
    int face = 0;
    for (int p = 0; p < parts; ++p) {
        std::snprintf(line, sizeof line, "pb part%d 0 0 0\n m        0.2          1          0\n c %d 100 50\n", p,
                      p % 256);
        text += line;
        for (int i = 0; i < perPart; ++i, ++face) {
            int x = face % side, y = face / side;
            int a = y * (side + 1) + x;
            std::snprintf(line, sizeof line, " q %d %d %d %d\n", a, a + 1, a + side + 2, a + side + 1);
            text += line;
        }
        if (p > 0) text += "pe part" + std::to_string(p) + "\n";
    }
    text += "pe part0\noe big\n";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
}

} // namespace quillo
