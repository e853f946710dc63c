#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "model/colour_table.h"
#include "model/md4_file.h"
#include "model/messages.h"
#include "model_builder.h"
#include "softrender/redraw.h"
#include "softrender/transform.h"
#include "support/bmp_writer.h"

using namespace quillo;
using namespace quillo::test;

namespace {

// One document drawn the way the editor does after loading or an edit:
// redraw, world blocks, then a frame.
struct Render {
    ModelDocument document;
    GMTBL table;
    FrameLists lists;
    Frame frame;
    Render(int w = 320, int h = 240, bool z = false, int pitch = 0) : frame(w, h, z, pitch)
    {
        table.attachDisplay(&frame);
    }
    void draw()
    {
        ASSERT_TRUE(redraw(document, table, lists));
        updateWorld(document);
        drawFrame(document, lists, table, frame);
    }
    const PaletteEntry& colour(int x, int y) const { return frame.palette()[frame.pixel(x, y)]; }
    bool reddish(int x, int y) const { return colour(x, y).red > 2 * colour(x, y).blue; }
    bool bluish(int x, int y) const { return colour(x, y).blue > 2 * colour(x, y).red; }
};

// A square of half-size `half` grid units in the plane z = `z`, facing the
// viewer, in a new object at the end of the document.
ModelObject& addSquare(ModelDocument& document, int half, int z, int red, int green, int blue, int x = 0)
{
    ModelObject& o = addObject(document, "square");
    const int a = addVertex(o, x - half, -half, z), b = addVertex(o, x - half, half, z);
    const int c = addVertex(o, x + half, half, z), d = addVertex(o, x + half, -half, z);
    o.rootPart->faces.append(makeFace(a, b, c, d, addMaterial(o, red, green, blue, 0.5f, 1.0f, 0.0f)));
    return o;
}

} // namespace

TEST(Redraw, BuildsTheFrameListsFromEveryObject)
{
    Render r;
    DrawTarget t = r.frame.target(r.table);
    std::memset(t.pixels, 5, r.frame.bytes().size());
    r.draw(); // an empty document draws a cleared frame
    EXPECT_EQ(r.frame.checksum(), Frame(320, 240, false).checksum());
    EXPECT_TRUE(r.lists.vertices.empty() && r.lists.polygons.empty());

    ModelObject& top = addSquare(r.document, 400, 0, 255, 0, 0, -1200);
    top.vertices.append(makeVertex(1, 1, 1)); // unused: gone after the redraw
    auto* embedded = new ModelObject(false);
    top.rootPart->objects.append(embedded);
    const int a = addVertex(*embedded, -300, -300, 0), b = addVertex(*embedded, -300, 300, 0);
    const int c = addVertex(*embedded, 300, 300, 0), d = addVertex(*embedded, 300, -300, 0);
    embedded->rootPart->faces.append(makeFace(a, b, c, d, addMaterial(*embedded, 0, 0, 255, 0.5f, 1.0f, 0.0f)));
    embedded->position[0] = snap(1200 * dt); // placed by the redraw's preparation
    ModelObject& last = addSquare(r.document, 100, -3000, 0, 255, 0);
    r.draw();
    EXPECT_EQ(top.vertices.count(), 4);
    EXPECT_EQ(r.lists.vertices.size(), 12u);
    EXPECT_EQ(r.lists.polygons.size(), 6u);
    EXPECT_EQ(r.lists.vertices.front(), &last.vertices[0]); // objects are prepared from the last
    EXPECT_EQ(r.lists.vertices.back(), &embedded->vertices[3]); // embedded ones after their own
    // 1200 grid units at 14000 ahead and scale 512: 44 pixels from cx.
    EXPECT_TRUE(r.reddish(106 - 44, 120));
    EXPECT_TRUE(r.bluish(106 + 44, 120));
    EXPECT_EQ(embedded->rootPart->world.t[0], 1200);
}

TEST(DrawScene, FarthestFirstWithoutAZBufferNearestWinsWithIt)
{
    Render sorted;
    addSquare(sorted.document, 800, -2000, 255, 0, 0); // red, nearer, first in the list
    addSquare(sorted.document, 1600, 0, 0, 0, 255);    // blue, farther, larger
    sorted.draw();
    EXPECT_TRUE(sorted.reddish(106, 120)); // the near square was drawn last
    EXPECT_TRUE(sorted.bluish(106, 120 + 50));
    sorted.document.objects[0]->place(0, 0, 30.0f, 0, 0, 0); // moved behind the blue one
    sorted.draw();
    EXPECT_TRUE(sorted.bluish(106, 120));

    Render z(320, 240, true);
    ModelObject& crossing = addSquare(z.document, 800, -2000, 255, 0, 0);
    addSquare(z.document, 1600, 0, 0, 0, 255);
    crossing.vertices[2].z = crossing.vertices[3].z = snap(30.0f); // its right half goes behind
    z.draw();
    EXPECT_TRUE(z.reddish(90, 120));
    EXPECT_TRUE(z.bluish(125, 120));

    Render ties(320, 240, true);
    addSquare(ties.document, 800, 0, 255, 0, 0);
    addSquare(ties.document, 800, 0, 0, 0, 255);
    ties.draw(); // equal depths keep the first drawn: the last object is listed first
    EXPECT_TRUE(ties.bluish(106, 120));
}

TEST(DrawScene, OutlineCopyLiesAtTwiceCxInThePartsColour)
{
    Render r;
    ModelObject& o = addSquare(r.document, 1400, 0, 255, 255, 255);
    addChildPart(*o.rootPart, "second").faces.append(o.rootPart->faces[0]);
    o.rootPart->faces.reset();
    r.draw();
    const int cx = 106, half = 1400 * 512 / 14000; // the square spans 51 pixels each way
    for (auto [x, y] : {std::pair{2 * cx - half, 120}, {2 * cx + half, 120}, {2 * cx, 120 - half}, {2 * cx, 120}})
        EXPECT_EQ(r.frame.pixel(x, y), 2) << x << "," << y; // the second part's colour, diagonal included
    EXPECT_EQ(r.frame.pixel(2 * cx + half + 2, 120), 0);
    EXPECT_NE(r.frame.pixel(cx, 120), 0); // while the fill sits at cx
}

TEST(DrawScene, HugeModelsDoNotOverflow)
{
    Render r(320, 240, true);
    r.document.place(0, 0, -100000.0f, 0, 0, 0); // 8 million grid units away
    addSquare(r.document, 1600000, 0, 255, 0, 0);
    r.draw();
    // 1.6M / 8M x 512 = 102 pixels each way of the centre.
    EXPECT_TRUE(r.reddish(106, 120));
    EXPECT_TRUE(r.reddish(106 - 100, 120 + 100));
    EXPECT_TRUE(r.reddish(106 + 100, 120 - 100));
    EXPECT_EQ(r.frame.pixel(212 + 102, 120), 1); // the outline's right edge
    EXPECT_EQ(r.frame.pixel(106, 120 + 105), 0);
}

TEST(DrawScene, RendersAreRepeatable)
{
    uint64_t sums[2];
    for (int i = 0; i < 2; ++i) {
        Render r(320, 240, i == 1);
        addSphere(r.document, 800, 2000, 6);
        r.draw();
        sums[i] = r.frame.checksum();
        r.draw(); // a second redraw of the same document
        EXPECT_EQ(r.frame.checksum(), sums[i]);
        drawFrame(r.document, r.lists, r.table, r.frame); // a repaint without one
        EXPECT_EQ(r.frame.checksum(), sums[i]);
    }
    Render again;
    addSphere(again.document, 800, 2000, 6);
    again.draw();
    EXPECT_EQ(again.frame.checksum(), sums[0]);
    EXPECT_NE(sums[0], sums[1]); // sorted and Z-buffered frames differ where faces overlap
}

namespace {

// A golden frame: one of the scenes beside this file, drawn the way
// `quillomodel --render` draws it (tests/CMakeLists.txt renders the same
// cases and compares them with the PNG files kept there).
struct Golden {
    const char* model;
    int width, height;
    bool zbuffer;
    float camera[6];
    int pattern;
};

uint64_t goldenChecksum(const Golden& g)
{
    Render r(g.width, g.height, g.zbuffer);
    r.document.place(g.camera[0], g.camera[1], g.camera[2], g.camera[3], g.camera[4], g.camera[5]);
    const std::string path = std::string(QUILLO_SOURCE_DIR) + "/tests/softrender/golden/" + g.model;
    EXPECT_EQ(readModel(r.document, path), ReadResult::ok) << path;
    EXPECT_TRUE(redraw(r.document, r.table, r.lists));
    updateWorld(r.document);
    if (g.pattern > 0)
        for (ModelObject* o : *r.document.objects[0]->objectList)
            for (Texture& t : o->textures) t.currentImage = t.images[g.pattern];
    drawFrame(r.document, r.lists, r.table, r.frame);
    // The pixels, then the colours they stand for.
    uint64_t h = r.frame.checksum();
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = r.frame.palette()[i];
        h = (h ^ (uint64_t(e.red) << 16 | uint64_t(e.green) << 8 | e.blue)) * 1099511628211ull;
    }
    return h;
}

} // namespace

TEST(GoldenFrames, MatchTheStoredRenders)
{
    const Golden cases[] = {
        {"scene.md4", 320, 240, false, {-92.822f, -60.007f, -135.677f, -0.35f, 0, 0.6f}, 0}, // scene.png
        {"scene.md4", 320, 240, true, {-92.822f, -60.007f, -135.677f, -0.35f, 0, 0.6f}, 1},  // scene_z.png
        {"scene.md4", 320, 240, false, {-11.0f, -7.5f, -12.0f, 0, 0, 0}, 0}, // near.png: cut by the near plane
        {"sphere.md4", 320, 240, false, {0, 0, -175.0f, 0, 0, 0}, 0},        // sphere.png
        {"sphere.md4", 320, 240, true, {0, 0, -175.0f, 0, 0, 0}, 0},         // sphere_z.png
    };
    const uint64_t expected[] = {12804569552844596585ull, 15722726928559440374ull, 15333425983812955510ull,
                                 8750527994494820647ull, 7820729717592152372ull};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(goldenChecksum(cases[i]), expected[i]) << "case " << i << " " << cases[i].model;
}

TEST(RedrawSafety, RandomScenesNeverWriteOutsideTheFrame)
{
    MessageLog quiet; // texture complaints are expected here
    TempDir dir;
    writeBmp(dir / "p.bmp", BmpShape{});
    std::mt19937 random(29);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 60; ++round) {
        const int w = pick(8, 200), h = pick(8, 150);
        Render r(w, h, round % 2 == 1, w + 16);
        DrawTarget t = r.frame.target(r.table);
        std::memset(t.pixels, 0xEE, r.frame.bytes().size());
        const int scale = round % 3 == 0 ? 2000000 : round % 3 == 1 ? 20000 : 800;
        for (int k = 0, objects = pick(1, 3); k < objects; ++k) {
            ModelObject& o = addObject(r.document, "o");
            for (int i = 0, n = pick(3, 40); i < n; ++i)
                addVertex(o, pick(-scale, scale), pick(-scale, scale), pick(-scale, scale));
            const int tex = addTexture(o, "t", pick(0, 2) * 2, pick(-scale, scale), pick(-scale, scale),
                                       pick(-scale, scale), pick(-scale, scale), {dir / "p.bmp", dir / "missing.bmp"});
            addMaterial(o, pick(-5, 300), pick(0, 255), pick(0, 255), 0.3f, 1.0f, 0.5f, tex);
            addMaterial(o, pick(0, 255), pick(0, 255), pick(0, 255));
            ModelPart& part = addChildPart(*o.rootPart, "p");
            for (int i = 0, n = pick(1, 60); i < n; ++i) {
                const int vc = o.vertices.count();
                const Face f = makeFace(pick(-2, vc + 2), pick(0, vc - 1), pick(0, vc - 1), pick(0, vc - 1),
                                        pick(-1, 2), pick(0, 1), pick(0, 1), pick(0, 4) == 0);
                (i % 2 ? part : *o.rootPart).faces.append(f);
            }
        }
        r.document.zoom = pick(-300, 3000);
        r.document.place(float(pick(-scale, scale)) * dt, float(pick(-scale, scale)) * dt,
                         float(pick(-scale, scale)) * dt, float(pick(-300, 300)) / 100.0f,
                         float(pick(-300, 300)) / 100.0f, float(pick(-300, 300)) / 100.0f);
        r.draw();
        for (int y = 0; y < h; ++y)
            for (int x = w; x < w + 16; ++x) ASSERT_EQ(t.pixels[y * (w + 16) + x], 0xEE) << round;
    }
}
