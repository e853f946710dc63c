// Writes a large DXF drawing for the converter's benchmark: a wavy surface
// of square cells, two of every three cells a quadrilateral and the third
// two triangles that share their diagonal (the second triangle written a
// row later), in 200 colours, every grid point shared by its neighbours.
// Usage: make_dxf_drawing FACES PATH
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Writer {
    std::FILE* file;
    char line[64];
    void pair(int code, const char* value) { std::fprintf(file, "%3d\n%s\n", code, value); }
    void coordinate(int code, double v)
    {
        std::snprintf(line, sizeof line, "%.4f", v);
        pair(code, line);
    }
    void face(const double (*p)[3], int corners, int colour)
    {
        pair(0, "3DFACE");
        pair(8, "SURFACE");
        std::snprintf(line, sizeof line, "%d", colour);
        pair(62, line);
        for (int i = 0; i < 4; ++i) {
            const double* c = p[i < corners ? i : corners - 1];
            for (int k = 0; k < 3; ++k) coordinate(10 * (k + 1) + i, c[k]);
        }
    }
};

double height(int x, int y) { return 3.0 * std::sin(x * 0.05) * std::cos(y * 0.037); }

void point(int x, int y, double* p)
{
    p[0] = x * 10.0;
    p[1] = y * 10.0;
    p[2] = height(x, y);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_dxf_drawing FACES PATH\n");
        return 2;
    }
    long faces = std::atol(argv[1]);
    std::FILE* file = std::fopen(argv[2], "w");
    if (!file || faces < 4) return 1;
    Writer w{file, {}};
    w.pair(0, "SECTION");
    w.pair(2, "ENTITIES");
    // Three cells give four faces: two quadrilaterals and two triangles.
    long cells = (faces * 3 + 3) / 4;
    int width = int(std::sqrt(double(cells))) + 1;
    long written = 0;
    struct Pending {
        double p[3][3];
        int colour;
    };
    std::vector<Pending> lastRow, thisRow;
    for (long cell = 0; written < faces; ++cell) {
        int x = int(cell % width), y = int(cell / width);
        if (x == 0) {
            for (const Pending& t : lastRow)
                if (written < faces) w.face(t.p, 3, t.colour), ++written;
            lastRow.swap(thisRow);
            thisRow.clear();
        }
        int colour = 1 + int((x / 8 + (y / 8) * 7) % 200);
        double c[4][3];
        point(x, y, c[0]);
        point(x + 1, y, c[1]);
        point(x + 1, y + 1, c[2]);
        point(x, y + 1, c[3]);
        if (cell % 3 != 2) {
            w.face(c, 4, colour);
            ++written;
        } else {
            double first[3][3] = {{c[0][0], c[0][1], c[0][2]}, {c[1][0], c[1][1], c[1][2]}, {c[2][0], c[2][1], c[2][2]}};
            w.face(first, 3, colour);
            ++written;
            Pending second{{{c[2][0], c[2][1], c[2][2]}, {c[3][0], c[3][1], c[3][2]}, {c[0][0], c[0][1], c[0][2]}},
                           colour};
            thisRow.push_back(second);
        }
    }
    w.pair(0, "ENDSEC");
    w.pair(0, "EOF");
    return std::fclose(file) == 0 ? 0 : 1;
}
