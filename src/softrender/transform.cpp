#include "transform.h"

#include <algorithm>
#include <cmath>

#include "model/fixed_point.h"
#include "model/pose_math.h"

namespace quillo {

Projection projectionFor(int width, int height, int zoom)
{
    Projection p;
    p.cx = width / 3;
    p.cy = height / 2;
    const int64_t base = width / 640 > height / 480 ? (int64_t(height) << 10) / 480 : (int64_t(width) << 10) / 640;
    p.scale = saturate32(base * zoom / 256);
    return p;
}

namespace {

// One inverse axis step on the light vector: (p, q) -> (c p - s q, s p + c q).
void unturn(int32_t& p, int32_t& q, int32_t s, int32_t c)
{
    const int64_t np = (int64_t(c) * p - int64_t(s) * q) >> 11;
    const int64_t nq = (int64_t(s) * p + int64_t(c) * q) >> 11;
    p = saturate32(np);
    q = saturate32(nq);
}

void placeObject(ModelObject& object, const TransformBlock& parent);

void placePart(ModelPart& part, const TransformBlock& parent)
{
    composeWorld(part, parent, part.world);
    for (int i = part.objects.count() - 1; i >= 0; --i)
        if (ModelObject* o = part.objects[i]) placeObject(*o, part.world);
    for (int i = part.children.count() - 1; i >= 0; --i)
        if (ModelPart* c = part.children[i]) placePart(*c, part.world);
}

void placeObject(ModelObject& object, const TransformBlock& parent)
{
    composeWorld(object, parent, object.world);
    if (object.rootPart) placePart(*object.rootPart, object.world);
}

} // namespace

void turnPose(ModelNode& node, float x, float y, float z, float a, float b, float c)
{
    if (node.rotationOrder != 0) {
        node.place(x, y, z, a, b, c);
        return;
    }
    const PoseAngles turned = turnedAngles({node.angles[0], node.angles[1], node.angles[2]}, {a, b, c});
    node.place(x, y, z, turned.a, turned.b, turned.c);
}

void composeWorld(ModelNode& node, const TransformBlock& parent, TransformBlock& world)
{
    const TransformBlock& n = node.local;
    TransformBlock out;
    for (int r = 0; r < 3; ++r)
        for (int j = 0; j < 3; ++j) {
            const int64_t sum = int64_t(n.m[r][0]) * parent.m[0][j] + int64_t(n.m[r][1]) * parent.m[1][j] +
                                int64_t(n.m[r][2]) * parent.m[2][j];
            out.m[r][j] = saturate32(sum >> 11);
        }
    for (int j = 0; j < 3; ++j) {
        const int64_t turned = int64_t(n.t[0]) * parent.m[0][j] + int64_t(n.t[1]) * parent.m[1][j] +
                               int64_t(n.t[2]) * parent.m[2][j];
        out.t[j] = saturate32(int64_t(parent.t[j]) + (turned >> 11));
    }

    // The light into the node's frame: undo its axis turns in reverse order.
    int32_t* l = node.lightScratch;
    for (int i = 0; i < 3; ++i) l[i] = parent.light[i];
    const int32_t* sc = node.sinCos;
    auto undoY = [&] { unturn(l[2], l[0], sc[4], sc[5]); }; // z' = c z - s x, x' = s z + c x
    auto undoX = [&] { unturn(l[1], l[2], sc[0], sc[1]); }; // y' = c y - s z, z' = s y + c z
    auto undoZ = [&] { unturn(l[1], l[0], sc[2], sc[3]); }; // y' = c y - s x, x' = s y + c x
    switch (node.rotationOrder) {
    case 1: undoZ(); undoX(); undoY(); break;
    case 2: undoX(); undoZ(); undoY(); break;
    default: undoY(); undoX(); undoZ(); break;
    }
    for (int i = 0; i < 3; ++i) out.light[i] = l[i];
    world = out;
}

void updateWorld(ModelDocument& document)
{
    for (int i = document.objects.count() - 1; i >= 0; --i)
        if (ModelObject* o = document.objects[i]) placeObject(*o, document.local);
}

void projectAll(const std::vector<Vertex*>& vertices, const Projection& projection)
{
    constexpr int32_t offScreen = 0x80000;
    for (Vertex* v : vertices) {
        const TransformBlock* b = v->ownerCopy;
        if (!b) { // not claimed by any part: never drawn
            v->vx = v->vy = 0;
            v->vz = -1;
            v->sx = v->sy = offScreen;
            v->light = 510;
            continue;
        }
        const int64_t gx = v->gx, gy = v->gy, gz = v->gz;
        v->vx = saturate32(((gx * b->m[0][0] + gy * b->m[1][0] + gz * b->m[2][0]) >> 11) + b->t[0]);
        v->vy = saturate32(((gx * b->m[0][1] + gy * b->m[1][1] + gz * b->m[2][1]) >> 11) + b->t[1]);
        const int32_t depth = saturate32(((gx * b->m[0][2] + gy * b->m[1][2] + gz * b->m[2][2]) >> 11) + b->t[2]);

        const int64_t lit = ((int64_t(v->inx) * b->light[0] + int64_t(v->iny) * b->light[1] +
                              int64_t(v->inz) * b->light[2]) >> 7) + 510;
        v->light = int32_t(std::clamp<int64_t>(lit, 0, 1023));

        if (depth == 0) {
            v->vz = INT32_MAX;
        } else {
            const double inverse = 1.0 / double(depth);
            int32_t rz = truncToInt(inverse * 268435456.0);
            if (depth < 0 && rz == 0) rz = -1; // far behind the eye is still behind
            v->vz = rz;
        }
        if (depth > 0) {
            const double inverse = 1.0 / double(depth);
            auto onScreen = [&](int32_t view, int centre) {
                return saturate32(int64_t(truncToInt(double(int64_t(view) * projection.scale) * inverse)) + centre);
            };
            v->sx = onScreen(v->vx, projection.cx);
            v->sy = onScreen(v->vy, projection.cy);
        } else {
            v->sx = v->sy = offScreen;
        }
    }
}

} // namespace quillo
