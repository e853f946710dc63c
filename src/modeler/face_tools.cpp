#include "face_tools.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "edit_helpers.h"
#include "model/fixed_point.h"
#include "model/messages.h"

namespace quillo {

namespace {

struct ToolEntry {
    int tool;
    const char* name; // shown in the status line while armed
};

// Commands 500..513 in order.
const ToolEntry toolEntries[] = {
    {toolMoveToPart, "部分異動　"},     {toolDelete, "削除　　　"},        {toolCrossSplit, "十字分割　"},
    {toolHorizontalSplit, "水平分割　"}, {toolVerticalSplit, "垂直分割　"}, {toolDiagonal, "斜線変更　"},
    {toolExtrude, "立ち上げ　"},        {toolDoubleSided, "両面／片面"},   {toolAddPoint, "点追加　　"},
    {toolChangePoint, "点変更　　"},    {toolColour, "色変更　　"},        {toolTexture, "ﾃｸｽﾁｬ変更 "},
    {toolTwistFix, "ねじれ対策"},       {toolTurnOver, "裏返す"},
};

const char* const waitingForPointName = "点指定中";
const char* const pointChangeName = "点変更";

enum Slot { next01 = 0, next12 = 1, next23 = 2, next30 = 3 };

// The successor tables of the split search: for each vertex, the vertex
// that follows it on the c0-c1, c1-c2, c2-c3 and c3-c0 edges of the faces.
// One allocation holds four entries per vertex for each pass.
class SuccessorTables {
public:
    SuccessorTables(int vertexCount, int passes)
        : count_(vertexCount),
          entries_(new (std::nothrow) int32_t[size_t(vertexCount) * 4 * size_t(passes) + 1])
    {
    }
    bool ready() const { return entries_ != nullptr; }

    // Fills one pass from every face of `parts`: parts from the last to the
    // first when `partsBackwards`, faces likewise when `facesBackwards`.
    // Later faces overwrite earlier entries.
    void build(int pass, const std::vector<ModelPart*>& parts, bool partsBackwards, bool facesBackwards)
    {
        int32_t* t = entries_.get() + size_t(pass) * 4 * size_t(count_);
        std::fill(t, t + 4 * size_t(count_), -1);
        const int partCount = int(parts.size());
        for (int p = 0; p < partCount; ++p) {
            const ModelPart* part = parts[size_t(partsBackwards ? partCount - 1 - p : p)];
            const int faceCount = part->faces.count();
            for (int i = 0; i < faceCount; ++i) {
                const Face& f = part->faces[facesBackwards ? faceCount - 1 - i : i];
                for (int k = 0; k < 4; ++k) {
                    const int32_t from = f.index(k), to = f.index((k + 1) % 4);
                    if (from != to && valid(from) && valid(to)) t[size_t(k) * size_t(count_) + size_t(from)] = to;
                }
            }
        }
    }

    int32_t at(int pass, int slot, int32_t v) const
    {
        if (!valid(v)) return -1;
        return entries_[(size_t(pass) * 4 + size_t(slot)) * size_t(count_) + size_t(v)];
    }
    bool valid(int32_t v) const { return v >= 0 && v < count_; }

private:
    int count_;
    std::unique_ptr<int32_t[]> entries_;
};

// The pairs of the midpoint search: when the edge (i, j) is a `first`-slot
// edge, the neighbour's split points lie on a walk along `walk` from j to i.
const int searchCases[4][2] = {{next23, next01}, {next01, next23}, {next30, next12}, {next12, next30}};

// Looks, in one pass of the tables, for points on the neighbour's side of
// the edge (i, j) and keeps the one nearest to `target`.
void nearestCandidate(const SuccessorTables& tables, int pass, const Records<Vertex>& vertices, int32_t i,
                      int32_t j, const Vertex& target, int32_t& best, double& bestDistance)
{
    for (const auto& c : searchCases) {
        if (tables.at(pass, c[0], i) != j) continue;
        int32_t met[8];
        int metCount = 0;
        bool reached = false;
        int32_t at = j;
        for (int step = 0; step < 8; ++step) {
            at = tables.at(pass, c[1], at);
            if (at < 0) break;
            if (at == i) {
                reached = true;
                break;
            }
            met[metCount++] = at;
        }
        if (!reached) continue;
        for (int m = 0; m < metCount; ++m) {
            if (met[m] == j) continue;
            const Vertex& v = vertices[met[m]];
            const double dx = double(v.x) - target.x, dy = double(v.y) - target.y, dz = double(v.z) - target.z;
            const double distance = dx * dx + dy * dy + dz * dz;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = met[m];
            }
        }
    }
}

bool cornersValid(const ModelObject& object, const Face& f)
{
    for (int k = 0; k < 4; ++k)
        if (!object.vertices.at(f.index(k))) return false;
    return true;
}

bool sameRecord(const Face& a, const Face& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The shift s with face.index((k + s) % 4) == corners[k] for every k, or -1.
int rotationOf(const Face& face, const int32_t (&corners)[4])
{
    for (int s = 0; s < 4; ++s) {
        bool equal = true;
        for (int k = 0; k < 4 && equal; ++k) equal = face.index((k + s) % 4) == corners[k];
        if (equal) return s;
    }
    return -1;
}

Face withCorners(Face f, int32_t a, int32_t b, int32_t c, int32_t d)
{
    f.vertexA = a;
    f.vertexB = b;
    f.vertexC = c;
    f.vertexD = d;
    return f;
}

// Replaces face `index` of `part` by `changed` and appends `extra` copies.
bool splitInto(ModelPart& part, int index, const Face& changed, std::initializer_list<Face> extra)
{
    part.faces[index] = changed;
    for (const Face& f : extra)
        if (part.faces.append(f) < 0) return false;
    return true;
}

bool crossSplit(ModelObject& o, ModelPart& part, int index, const Face& f)
{
    const int32_t c0 = f.vertexA, c1 = f.vertexB, c2 = f.vertexC, c3 = f.vertexD;
    const int32_t m01 = midpoint(o, c0, c1);
    const int32_t m12 = midpoint(o, c1, c2);
    const int32_t m23 = midpoint(o, c2, c3);
    const int32_t m30 = midpoint(o, c3, c0);
    if (m01 < 0 || m12 < 0 || m23 < 0 || m30 < 0) return false;
    const int32_t k = midpoint(o, m30, m12);
    if (k < 0) return false;
    return splitInto(part, index, withCorners(f, c0, m01, k, m30),
                     {withCorners(f, m01, c1, m12, k), withCorners(f, m30, k, m23, c3),
                      withCorners(f, k, m12, c2, m23)});
}

bool horizontalSplit(ModelObject& o, ModelPart& part, int index, const Face& f)
{
    const int32_t m01 = midpoint(o, f.vertexA, f.vertexB);
    const int32_t m23 = midpoint(o, f.vertexC, f.vertexD);
    if (m01 < 0 || m23 < 0) return false;
    return splitInto(part, index, withCorners(f, f.vertexA, m01, m23, f.vertexD),
                     {withCorners(f, m01, f.vertexB, f.vertexC, m23)});
}

bool verticalSplit(ModelObject& o, ModelPart& part, int index, const Face& f)
{
    const int32_t m12 = midpoint(o, f.vertexB, f.vertexC);
    const int32_t m30 = midpoint(o, f.vertexD, f.vertexA);
    if (m12 < 0 || m30 < 0) return false;
    return splitInto(part, index, withCorners(f, f.vertexA, f.vertexB, m12, m30),
                     {withCorners(f, m30, m12, f.vertexC, f.vertexD)});
}

// The face moves onto copies of its corners pushed one normal length
// (255 grid units) against the normal; four side faces join old and new.
bool extrude(ModelObject& o, ModelPart& part, int index, const Face& f)
{
    int32_t e[4];
    for (int k = 0; k < 4; ++k) {
        Vertex v = o.vertices[f.index(k)];
        v.x -= float(v.inx) * dt;
        v.y -= float(v.iny) * dt;
        v.z -= float(v.inz) * dt;
        e[k] = o.vertices.append(v);
        if (e[k] < 0) return false;
    }
    const int32_t c0 = f.vertexA, c1 = f.vertexB, c2 = f.vertexC, c3 = f.vertexD;
    return splitInto(part, index, withCorners(f, e[0], e[1], e[2], e[3]),
                     {withCorners(f, c0, c1, e[1], e[0]), withCorners(f, c0, e[0], e[3], c3),
                      withCorners(f, e[1], c1, c2, e[2]), withCorners(f, e[3], e[2], c2, c3)});
}

bool moveToPart(EditorState& state, ModelPart& part, const Face& f)
{
    ModelPart* target = state.currentpart;
    if (&part == target) return true;
    bool present = false;
    for (const Face& g : target->faces) present = present || sameFace(g, f);
    if (!present && target->faces.append(f) < 0) return false;
    part.faces.removeAllEqual(f);
    return true;
}

bool colourFace(EditorState& state, const GMTBL& table, Face& f)
{
    Material m{};
    if (!table.entry(state.currentcolour, m.red, m.green, m.blue, m.ambient, m.diffuse, m.specular)) return false;
    ModelObject& o = *state.currentobject;
    int found = -1;
    for (int i = 0; i < o.materials.count() && found < 0; ++i)
        if (sameColour(o.materials[i], m)) found = i;
    if (found < 0) {
        m.texture = -1;
        m.shade = 0;
        found = o.materials.append(m);
        if (found < 0) return false;
    }
    f.material = found;
    return true;
}

bool textureFace(EditorState& state, Face& f)
{
    ModelObject& o = *state.currentobject;
    if (!o.textures.at(state.currenttexture)) return false;
    const Material* current = o.materials.at(f.material);
    Material m = current ? *current : defaultMaterial();
    m.texture = state.currenttexture;
    m.shade = 0;
    const int index = findOrAppendMaterial(o, m);
    if (index < 0) return false;
    f.material = index;
    return true;
}

// Tool 9 on the picked face: the face gets its own copy of the picked point.
bool addPoint(EditorState& state, Face& f)
{
    ModelObject& o = *state.currentobject;
    const Vertex* picked = o.vertices.at(state.pickpoint);
    if (!picked) return false;
    int corner = -1;
    for (int k = 0; k < 4 && corner < 0; ++k)
        if (f.index(k) == state.pickpoint) corner = k;
    if (corner < 0) return false;
    const Vertex copy = *picked;
    const int32_t n = o.vertices.append(copy);
    if (n < 0) return false;
    f.index(corner) = n;
    for (int k = 0; k < 4; ++k)
        if (state.pickface.c[k] == state.pickpoint) {
            state.pickface.c[k] = n;
            break;
        }
    state.pickpoint = n;
    return true;
}

// Tool 10, first step: remember the face and the corner to reconnect.
void holdCorner(EditorState& state, const Face& f)
{
    state.heldcorner = 3;
    for (int k = 3; k >= 0; --k) {
        state.heldface.c[k] = f.index(k);
        if (f.index(k) == state.pickpoint) state.heldcorner = k;
    }
    state.tool = pointChangeWaiting;
    state.toolname = waitingForPointName;
}

// Tool 10, second step: the held corner of the held face becomes the picked point.
bool reconnectCorner(EditorState& state)
{
    ModelObject& o = *state.currentobject;
    if (!o.vertices.at(state.pickpoint)) return false;
    const FaceLocation held = findSameFace(o, state.heldface.c);
    if (!held.found()) return false;
    Face& f = held.part->faces[held.index];
    const int shift = rotationOf(f, state.heldface.c);
    f.index((state.heldcorner + (shift < 0 ? 0 : shift)) % 4) = state.pickpoint;
    state.tool = toolChangePoint;
    state.toolname = pointChangeName;
    return true;
}

} // namespace

bool armFaceTool(EditorState& state, int command)
{
    if (command < firstToolCommand || command > lastToolCommand) return false;
    const ToolEntry& e = toolEntries[command - firstToolCommand];
    state.tool = e.tool;
    state.toolname = e.name;
    return true;
}

FaceLocation findSameFace(const ModelObject& object, const int32_t (&corners)[4])
{
    const Face wanted = withCorners(Face{}, corners[0], corners[1], corners[2], corners[3]);
    for (ModelPart* part : partsInOrder(object))
        for (int i = 0; i < part->faces.count(); ++i)
            if (sameFace(part->faces[i], wanted)) return {part, i};
    return {};
}

int32_t midpoint(ModelObject& object, int32_t i, int32_t j)
{
    const int count = object.vertices.count();
    if (count == 0 || !object.vertices.at(i) || !object.vertices.at(j)) return -1;
    const Vertex& a = object.vertices[i];
    const Vertex& b = object.vertices[j];
    Vertex fresh = a;
    fresh.x = gridCoordinate(truncToInt((a.x + b.x) / (2.0f * dt)));
    fresh.y = gridCoordinate(truncToInt((a.y + b.y) / (2.0f * dt)));
    fresh.z = gridCoordinate(truncToInt((a.z + b.z) / (2.0f * dt)));

    int32_t best = -1;
    SuccessorTables tables(count, 1);
    if (tables.ready()) {
        const std::vector<ModelPart*> parts = partsInOrder(object);
        double bestDistance = std::numeric_limits<double>::infinity();
        for (int pass = 0; pass < 2; ++pass) {
            // First with the parts in order, then from the last part to the first.
            tables.build(0, parts, pass == 1, false);
            nearestCandidate(tables, 0, object.vertices, i, j, fresh, best, bestDistance);
        }
    }
    return best >= 0 ? best : object.vertices.append(fresh);
}

bool applyFaceTool(EditorState& state, const GMTBL& table, ModelPart& part, int index)
{
    ModelObject* o = state.currentobject;
    if (!o || !state.currentpart || !part.faces.at(index)) return false;
    const Face f = part.faces[index];
    Face& record = part.faces[index];
    switch (state.tool) {
    case toolMoveToPart: return moveToPart(state, part, f);
    case toolDelete: part.faces.removeAllEqual(f); return true;
    case toolCrossSplit: return cornersValid(*o, f) && crossSplit(*o, part, index, f);
    case toolHorizontalSplit: return cornersValid(*o, f) && horizontalSplit(*o, part, index, f);
    case toolVerticalSplit: return cornersValid(*o, f) && verticalSplit(*o, part, index, f);
    case toolDiagonal: record.altDiagonal = 1 - record.altDiagonal; return true;
    case toolExtrude: return cornersValid(*o, f) && extrude(*o, part, index, f);
    case toolDoubleSided: record.doubleSided = 1 - record.doubleSided; return true;
    case toolColour: return colourFace(state, table, record);
    case toolTexture: return textureFace(state, record);
    case toolTwistFix: record.twistFix = 1 - record.twistFix; return true;
    case toolTurnOver:
        record = withCorners(f, f.vertexB, f.vertexA, f.vertexD, f.vertexC);
        record.altDiagonal = 1 - f.altDiagonal; // the same diagonal stays split
        return true;
    default: return false;
    }
}

bool execute(EditorState& state, const GMTBL& table)
{
    ModelObject* o = state.currentobject;
    if (!o || !state.currentpart) return false;

    if (!state.selection.empty()) {
        std::vector<Face> work;
        for (const Face& f : state.selection) {
            bool known = false;
            for (const Face& w : work) known = known || sameRecord(w, f);
            if (!known) work.push_back(f);
        }
        const bool pointTool = state.tool == toolAddPoint || state.tool == toolChangePoint ||
                               state.tool == pointChangeWaiting;
        for (size_t n = work.size(); n-- > 0;) {
            if (pointTool) break;
            for (ModelPart* part : partsInOrder(*o)) {
                int found = -1;
                for (int i = 0; i < part->faces.count() && found < 0; ++i)
                    if (sameRecord(part->faces[i], work[n])) found = i;
                if (found >= 0) {
                    applyFaceTool(state, table, *part, found);
                    break;
                }
            }
        }
        state.selection.clear();
        return true;
    }

    if (!state.pickface.valid()) return false;
    const FaceLocation at = findSameFace(*o, state.pickface.c);
    if (!at.found()) return false;
    switch (state.tool) {
    case toolAddPoint:
        if (!addPoint(state, at.part->faces[at.index])) return false;
        break;
    case toolChangePoint: holdCorner(state, at.part->faces[at.index]); break;
    case pointChangeWaiting:
        if (!reconnectCorner(state)) return false;
        break;
    default:
        if (!applyFaceTool(state, table, *at.part, at.index)) return false;
        break;
    }
    state.pickface.clear();
    return true;
}

bool reverseexecute(EditorState& state)
{
    ModelObject* o = state.currentobject;
    const int tool = state.tool;
    if (tool != toolCrossSplit && tool != toolHorizontalSplit && tool != toolVerticalSplit) return false;
    if (!o || !state.currentpart || !state.pickface.valid()) return false;

    SuccessorTables tables(o->vertices.count(), 2);
    if (!tables.ready()) {
        errorbox(formatMessage("メモリーが足りません\nプログラムを終了してください"));
        return false;
    }
    const std::vector<ModelPart*> parts = partsInOrder(*o);
    tables.build(0, parts, false, false);
    tables.build(1, parts, true, true);
    // The first pass's entry, or the second's where the first has none.
    auto next = [&](int slot, int32_t v) {
        const int32_t e = tables.at(0, slot, v);
        return e >= 0 ? e : tables.at(1, slot, v);
    };
    auto follows = [&](int slot, int32_t v, int32_t expected) {
        return expected >= 0 && (tables.at(0, slot, v) == expected || tables.at(1, slot, v) == expected);
    };

    const int32_t c0 = state.pickface.c[0], c1 = state.pickface.c[1], c2 = state.pickface.c[2],
                  c3 = state.pickface.c[3];
    int32_t merged[4];
    std::vector<std::array<int32_t, 4>> removed;
    if (tool == toolHorizontalSplit) {
        const int32_t b = next(next01, c1), c = next(next12, b);
        if (b < 0 || c < 0 || !follows(next23, c, c2)) return false;
        merged[0] = c0, merged[1] = b, merged[2] = c, merged[3] = c3;
        removed.push_back({c1, b, c, c2});
    } else if (tool == toolVerticalSplit) {
        const int32_t c = next(next12, c2), d = next(next23, c);
        if (c < 0 || d < 0 || !follows(next30, d, c3)) return false;
        merged[0] = c0, merged[1] = c1, merged[2] = c, merged[3] = d;
        removed.push_back({c3, c2, c, d});
    } else {
        const int32_t b = next(next01, c1), e = next(next12, b), c = next(next12, e), g = next(next23, c),
                      d = next(next23, g);
        if (b < 0 || e < 0 || c < 0 || g < 0 || d < 0) return false;
        if (!follows(next30, d, c3) || !follows(next30, c3, c0)) return false;
        merged[0] = c0, merged[1] = b, merged[2] = c, merged[3] = d;
        removed.push_back({c1, b, e, c2});
        removed.push_back({c2, e, c, g});
        removed.push_back({c3, c2, g, d});
    }

    const FaceLocation picked = findSameFace(*o, state.pickface.c);
    if (!picked.found()) return false;
    Face& f = picked.part->faces[picked.index];
    const int shift = rotationOf(f, state.pickface.c);
    for (int k = 0; k < 4; ++k) f.index((k + (shift < 0 ? 0 : shift)) % 4) = merged[k];

    for (const auto& corners : removed) {
        const int32_t c[4] = {corners[0], corners[1], corners[2], corners[3]};
        const FaceLocation gone = findSameFace(*o, c);
        if (gone.found()) gone.part->faces.removeAt(gone.index);
    }
    state.pickface.clear();
    return true;
}

} // namespace quillo
