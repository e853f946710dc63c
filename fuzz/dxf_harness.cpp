#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <string>

#include "dxfconv/convert_dxf.h"
#include "dxfconv/dxf_face_lists.h"
#include "dxfconv/dxf_face_reader.h"
#include "dxfconv/dxf_md4_writer.h"
#include "dxfconv/dxf_pairing.h"
#include "harness.h"
#include "model/atomic_file.h"
#include "model/md4_file.h"
#include "model/messages.h"
#include "scratch_folder.h"

namespace quillo::fuzz {

namespace {

// Saves without waiting for the disk: a run makes thousands of them.
class NoSyncCalls : public FileSystemCalls {
public:
    int sync(int) override { return 0; }
    int syncDirectory(const char*) override { return 0; }
};

using Key = std::array<int32_t, 5>; // part, then the indices in their smallest rotation

// Adds the face of one written line ("<keyword> a b c d") unless the same
// face (a rotation of it) is already in its part, as the model reader does.
void addLine(std::set<Key>& faces, int part, const std::string& line)
{
    int32_t i[4];
    char keyword[4];
    if (std::sscanf(line.c_str(), " %3s %d %d %d %d", keyword, &i[0], &i[1], &i[2], &i[3]) != 5) return;
    Key best{};
    for (int r = 0; r < 4; ++r) {
        Key k{part, i[r], i[(r + 1) % 4], i[(r + 2) % 4], i[(r + 3) % 4]};
        if (r == 0 || k < best) best = k;
    }
    faces.insert(best);
}

// The faces the model must hold: the converter's lists, as the model reader
// keeps them (one copy of faces that are rotations of each other).
bool expectedCounts(const uint8_t* data, size_t size, const ConversionOptions& o, int& vertices, int& faces)
{
    std::FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!f) return false;
    Records<DxfFace> read;
    DxfReadError error;
    bool ok = readDxfFaces(f, read, error);
    std::fclose(f);
    if (!ok) return false;
    DxfFaceLists lists;
    for (const DxfFace& face : read) lists.addFace(face);
    if (!o.fast) pairTriangles(lists);
    std::set<Key> keys;
    std::string line;
    for (const DxfQuad& q : lists.quads) {
        line.clear();
        appendQuadLine(line, q, o.bothSides, o.reverse);
        addLine(keys, o.groupByColour ? q.colour : 0, line);
    }
    for (const DxfTriangle& t : lists.triangles) {
        line.clear();
        appendTriangleLine(line, t, o.bothSides, o.reverse);
        addLine(keys, o.groupByColour ? t.colour : 0, line);
    }
    vertices = lists.vertices.count();
    faces = int(keys.size());
    return true;
}

int faceCount(const ModelPart& p)
{
    int n = p.faces.count();
    for (const ModelPart* c : p.children) n += faceCount(*c);
    return n;
}

} // namespace

std::string dxf(const uint8_t* data, size_t size)
{
    if (size == 0) return "";
    ConversionOptions o;
    o.bothSides = data[0] & 1;
    o.reverse = data[0] & 2;
    o.groupByColour = data[0] & 4;
    o.allWhite = data[0] & 8;
    o.fast = data[0] & 16;
    o.inputPath = scratchFile("drawing.dxf", data + 1, size - 1);
    o.outputPath = scratchFolder() + "model.md4";
    std::remove(o.outputPath.c_str());
    NoSyncCalls calls;
    FileSystemCalls* previous = setFileSystemCalls(&calls);
    MessageLog log;
    const bool converted = convertDxf(o);
    setFileSystemCalls(previous);
    if (!converted) return log.messages.size() == 1 ? "" : "a refused drawing showed no message or several";
    if (!log.messages.empty()) return "a converted drawing showed a message: " + log.messages[0];

    float oldStep = dt;
    ModelDocument model;
    std::string reason;
    ReadResult r = readModel(model, o.outputPath, &reason);
    dt = oldStep;
    if (r != ReadResult::ok) return "the model does not read: " + reason;
    if (!log.messages.empty()) return "reading the model said: " + log.messages[0];
    int vertices = 0, faces = 0;
    if (!expectedCounts(data + 1, size - 1, o, vertices, faces)) return "the drawing reads only once";
    if (model.objects.count() != 1) return "not one object";
    const ModelObject& object = *model.objects[0];
    if (object.vertices.count() != vertices)
        return "vertices: " + std::to_string(object.vertices.count()) + " instead of " + std::to_string(vertices);
    if (faceCount(*object.rootPart) != faces)
        return "faces: " + std::to_string(faceCount(*object.rootPart)) + " instead of " + std::to_string(faces);
    return "";
}

} // namespace quillo::fuzz
