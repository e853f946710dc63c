#include "redraw.h"

#include <new>

#include "model/bmp_pattern.h"
#include "model/colour_table.h"
#include "model/messages.h"
#include "transform.h"
#include "vertex_prep.h"

namespace quillo {

namespace {

// One object's share of a redraw, then that of its embedded objects.
void drawObjectPrep(ModelObject& object, GMTBL& table, FrameLists& lists)
{
    for (Texture& t : object.textures) loadPatterns(t, table);
    object.clearPolygons();
    prepareVertices(object);
    for (int i = 0; i < object.partList.count(); ++i)
        if (ModelPart* part = object.partList[i]) buildPolygons(*part, i, object);

    lists.vertices.reserve(lists.vertices.size() + size_t(object.vertices.count()));
    for (Vertex& v : object.vertices) lists.vertices.push_back(&v);
    lists.polygons.reserve(lists.polygons.size() + size_t(object.polygons.count()));
    for (RenderPolygon* p : object.polygons) lists.polygons.push_back(static_cast<ScenePolygon*>(p));

    if (object.objectList)
        for (int i = 1; i < object.objectList->count(); ++i)
            if (ModelObject* embedded = (*object.objectList)[i]) drawObjectPrep(*embedded, table, lists);
}

} // namespace

bool redraw(ModelDocument& document, GMTBL& table, FrameLists& lists)
{
    table.clear();
    for (int i = document.objects.count() - 1; i >= 0; --i)
        if (ModelObject* o = document.objects[i]) prepare(*o, table);
    table.buildShades();

    lists.vertices.clear();
    lists.polygons.clear();
    bool ok = true;
    try {
        for (int i = document.objects.count() - 1; i >= 0; --i)
            if (ModelObject* o = document.objects[i]) drawObjectPrep(*o, table, lists);
    } catch (const std::bad_alloc&) {
        lists.vertices.clear();
        lists.polygons.clear();
        errorbox(formatMessage("メモリーが足りません\nプログラムを終了してください"));
        ok = false;
    }
    document.rebuild();
    return ok;
}

void drawScene(const ModelDocument& document, FrameLists& lists, const DrawTarget& target)
{
    DrawTarget t = target;
    const Projection p = projectionFor(t.width, t.height, document.zoom);
    t.cx = p.cx;
    t.cy = p.cy;
    t.scale = p.scale;
    projectAll(lists.vertices, p);

    if (t.zbuffer) {
        for (const ScenePolygon* polygon : lists.polygons) polygon->drawZ(t);
        return;
    }
    // Take every polygon with its corners in list order, sort, then draw
    // the compact copies farthest first.
    const size_t n = lists.polygons.size();
    lists.draws.resize(n);
    lists.depthKeys.resize(n);
    for (size_t i = 0; i < n; ++i) {
        PolygonDraw& d = lists.draws[i];
        lists.polygons[i]->capture(d);
        lists.depthKeys[i] = int64_t(d.corner[0].rz) + d.corner[1].rz + d.corner[2].rz;
    }
    lists.depthSort.sort(lists.depthKeys, lists.depthOrder);
    constexpr size_t ahead = 16; // fetch the copies a few polygons early: their order is scattered
    for (size_t i = 0; i < n; ++i) {
        if (i + ahead < n) {
            const char* next = reinterpret_cast<const char*>(&lists.draws[lists.depthOrder[i + ahead]]);
            __builtin_prefetch(next);
            __builtin_prefetch(next + 64);
        }
        drawCaptured(lists.draws[lists.depthOrder[i]], t, false);
    }
}

void drawFrame(const ModelDocument& document, FrameLists& lists, const GMTBL& table, Frame& frame)
{
    frame.clear();
    drawScene(document, lists, frame.target(table));
}

} // namespace quillo
