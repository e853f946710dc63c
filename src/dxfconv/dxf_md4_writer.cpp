#include "dxf_md4_writer.h"

#include <charconv>
#include <cstdio>

namespace quillo {

namespace {

const char* const objectName = "本体";
const char* const mainPartName = "主要部分";

void appendInt(std::string& out, int32_t v)
{
    char digits[16];
    auto result = std::to_chars(digits, digits + sizeof digits, v);
    out.append(digits, result.ptr);
}

void appendIndices(std::string& out, int32_t i0, int32_t i1, int32_t i2, int32_t i3)
{
    for (int32_t v : {i0, i1, i2, i3}) {
        out += ' ';
        appendInt(out, v);
    }
    out += "\r\n";
}

void appendMaterial(std::string& out, const Rgb& rgb)
{
    out += " m 0.3 1.0 0\r\n c ";
    appendInt(out, rgb.red);
    out += ' ';
    appendInt(out, rgb.green);
    out += ' ';
    appendInt(out, rgb.blue);
    out += "\r\n";
}

// Stable bucketing of face indices by colour number, for the grouped layout.
template <class Face>
std::vector<int32_t> orderByColour(const Records<Face>& faces, std::vector<int32_t>& start)
{
    start.assign(257, 0);
    for (const Face& f : faces) ++start[size_t(f.colour) + 1];
    for (size_t c = 1; c < start.size(); ++c) start[c] += start[c - 1];
    std::vector<int32_t> next(start.begin(), start.end() - 1);
    std::vector<int32_t> order(size_t(faces.count()));
    for (int i = 0; i < faces.count(); ++i) order[size_t(next[size_t(faces[i].colour)]++)] = i;
    return order;
}

class ModelText {
public:
    ModelText(AtomicFile& file) : file_(file) { text_.reserve(bufferSize + 256); }

    std::string& text() { return text_; }
    // Hands the text to the file when it has grown large.
    void spill()
    {
        if (text_.size() >= bufferSize) drain();
    }
    bool finish() { return drain(); }

private:
    static constexpr size_t bufferSize = 256 * 1024;
    bool drain()
    {
        bool ok = file_.write(text_);
        text_.clear();
        return ok;
    }
    AtomicFile& file_;
    std::string text_;
};

} // namespace

Rgb colourOfNumber(int colour, int rank, bool allWhite)
{
    if (allWhite || rank >= 64) return {255, 255, 255};
    return {255 - (colour & 0xE0), 255 - 8 * (colour & 0x1C), 255 - 64 * (colour & 0x03)};
}

void appendQuadLine(std::string& out, const DxfQuad& q, bool bothSides, bool reverse)
{
    bool upper = (q.diagonal == 0) != reverse;
    out += upper ? " Q" : " q";
    if (bothSides) out += 'd';
    if (reverse)
        appendIndices(out, q.q1, q.q0, q.q3, q.q2);
    else
        appendIndices(out, q.q0, q.q1, q.q2, q.q3);
}

void appendTriangleLine(std::string& out, const DxfTriangle& t, bool bothSides, bool reverse)
{
    out += bothSides ? " qd" : " q";
    if (reverse)
        appendIndices(out, t.a, t.b, t.c, t.c);
    else
        appendIndices(out, t.b, t.a, t.c, t.c);
}

bool writeDxfModel(AtomicFile& file, const DxfFaceLists& lists, const std::vector<GridPoint>& points,
                   float dt, const Md4Layout& layout)
{
    ModelText model(file);
    std::string& out = model.text();
    char number[64];
    std::snprintf(number, sizeof number, "%g", double(dt));
    out += "ob ";
    out += objectName;
    out += " 0 0 0\r\n dt ";
    out += number;
    out += "\r\n";
    for (const GridPoint& p : points) {
        out += " v ";
        appendInt(out, p.x);
        out += ' ';
        appendInt(out, p.y);
        out += ' ';
        appendInt(out, p.z);
        out += "\r\n";
        model.spill();
    }
    out += " pb ";
    out += mainPartName;
    out += " 0 0 0\r\n";

    auto colourOf = [&](int c) { return colourOfNumber(c, lists.rank(c), layout.allWhite); };
    if (layout.groupByColour) {
        std::vector<int32_t> quadStart, triangleStart;
        std::vector<int32_t> quadOrder = orderByColour(lists.quads, quadStart);
        std::vector<int32_t> triangleOrder = orderByColour(lists.triangles, triangleStart);
        for (int c = 0; c < 256; ++c) {
            if (lists.rank(c) < 0) continue;
            out += " pb body";
            appendInt(out, c);
            out += " 0 0 0\r\n";
            appendMaterial(out, colourOf(c));
            for (int32_t k = quadStart[size_t(c)]; k < quadStart[size_t(c) + 1]; ++k) {
                appendQuadLine(out, lists.quads[quadOrder[size_t(k)]], layout.bothSides, layout.reverse);
                model.spill();
            }
            for (int32_t k = triangleStart[size_t(c)]; k < triangleStart[size_t(c) + 1]; ++k) {
                appendTriangleLine(out, lists.triangles[triangleOrder[size_t(k)]], layout.bothSides,
                                   layout.reverse);
                model.spill();
            }
            out += " pe body";
            appendInt(out, c);
            out += "\r\n";
        }
    } else {
        // Quadrilaterals and triangles are one sequence for the colour changes.
        int previous = -1;
        for (const DxfQuad& q : lists.quads) {
            if (q.colour != previous) appendMaterial(out, colourOf(q.colour));
            previous = q.colour;
            appendQuadLine(out, q, layout.bothSides, layout.reverse);
            model.spill();
        }
        for (const DxfTriangle& t : lists.triangles) {
            if (t.colour != previous) appendMaterial(out, colourOf(t.colour));
            previous = t.colour;
            appendTriangleLine(out, t, layout.bothSides, layout.reverse);
            model.spill();
        }
    }
    out += " pe ";
    out += mainPartName;
    out += "\r\n oe ";
    out += objectName;
    out += "\r\n";
    return model.finish();
}

} // namespace quillo
