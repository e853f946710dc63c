// Snapshots of model data: what they keep, what they share with the one
// before, and restoring in place or by building the objects anew.
#include "model/model_snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/md4_file.h"
#include "../support/temp_dir.h"

using namespace quillo;

namespace {

// A top-level object with `vertices` vertices in a row, one quad per four
// of them in the root part, a child part "arm" with one face, a colour, a
// texture and an embedded object in the arm.
ModelObject* makeObject(int vertices)
{
    auto* o = new ModelObject(true);
    std::strcpy(o->name, "thing");
    for (int i = 0; i < vertices; ++i) o->vertices.append(makeVertex(float(i) * dt, 0.0f, 0.0f));
    for (int i = 0; i + 3 < vertices; i += 4) o->rootPart->faces.append(Face{i, i + 1, i + 2, i + 3, 0, 0, 0, 0});
    std::strcpy(o->rootPart->name, "body");
    Material m = defaultMaterial();
    m.red = 10;
    o->materials.append(m);
    Texture t = makeTexture();
    std::strcpy(t.name, "skin");
    std::strcpy(t.files[0], "/nowhere/skin.bmp");
    t.patternCount = 1;
    t.x1 = t.y1 = 8;
    o->textures.append(t);
    auto* arm = new ModelPart(true);
    std::strcpy(arm->name, "arm");
    arm->place(0.5f, 0.0f, 0.0f, 0.1f, 0.0f, 0.0f);
    arm->faces.append(Face{0, 1, 2, 2, 1, 0, 0, 0});
    auto* hat = new ModelObject(false);
    std::strcpy(hat->name, "hat");
    hat->vertices.append(makeVertex(0.0f, 1.0f, 0.0f));
    arm->objects.append(hat);
    o->rootPart->children.append(arm);
    return o;
}

struct SnapshotFixture : ::testing::Test {
    ModelDocument doc;
    quillo::test::TempDir dir;
    SnapshotFixture() { dt = defaultGridStep; }
    ~SnapshotFixture() override { dt = defaultGridStep; }
    std::string file()
    {
        EXPECT_TRUE(writeModel(doc, dir / "m.md5"));
        return quillo::test::readText(dir / "m.md5");
    }
    ModelObject& object() { return *doc.objects[0]; }
};

} // namespace

TEST_F(SnapshotFixture, AnUnchangedDocumentSharesEveryChunk)
{
    doc.objects.append(makeObject(10000));
    const DocumentSnapshot first = takeSnapshot(doc);
    bool changed = true;
    const DocumentSnapshot second = takeSnapshot(doc, &first, &changed);
    EXPECT_FALSE(changed);
    ASSERT_EQ(second.objects[0].vertices.chunks.size(), 3u); // 10000 records in chunks of 4096
    for (size_t k = 0; k < 3; ++k) EXPECT_EQ(second.objects[0].vertices.chunks[k], first.objects[0].vertices.chunks[k]);
    EXPECT_EQ(second.objects[0].root.faces.chunks[0], first.objects[0].root.faces.chunks[0]);
    EXPECT_LT(snapshotOwnBytes(second, &first), 2000u); // tree records only
    EXPECT_GT(snapshotOwnBytes(first, nullptr), 10000u * sizeof(VertexData));
}

TEST_F(SnapshotFixture, OnePointMoveCopiesOneChunk)
{
    doc.objects.append(makeObject(10000));
    const DocumentSnapshot first = takeSnapshot(doc);
    object().vertices[5000].x += dt;
    bool changed = false;
    const DocumentSnapshot second = takeSnapshot(doc, &first, &changed);
    EXPECT_TRUE(changed);
    const auto& a = first.objects[0].vertices.chunks;
    const auto& b = second.objects[0].vertices.chunks;
    EXPECT_EQ(a[0], b[0]);
    EXPECT_NE(a[1], b[1]);
    EXPECT_EQ(a[2], b[2]);
    const size_t own = snapshotOwnBytes(second, &first);
    EXPECT_GE(own, snapshotChunkRecords * sizeof(VertexData));
    EXPECT_LT(own, snapshotChunkRecords * sizeof(VertexData) + 2000);
}

TEST_F(SnapshotFixture, RendererStateIsNotModelData)
{
    doc.objects.append(makeObject(8));
    const DocumentSnapshot first = takeSnapshot(doc);
    object().vertices[0].sx = 99;      // screen position
    object().vertices[0].nx = 0.5f;    // normal
    object().materials[0].shade = 7;   // colour-table index
    object().textures[0].currentPattern = 0;
    object().textures[0].width = 64;   // from the loaded image
    bool changed = true;
    takeSnapshot(doc, &first, &changed);
    EXPECT_FALSE(changed);
}

// Each kind of change, restored in place, gives back the file of before.
TEST_F(SnapshotFixture, RestoringInPlaceGivesBackTheSameFile)
{
    struct Case {
        const char* what;
        void (*change)(ModelObject&);
        bool redraw, moved, poses;
    } cases[] = {
        {"point", [](ModelObject& o) { o.vertices[3].y = 4 * dt; }, false, true, false},
        {"face", [](ModelObject& o) { o.rootPart->faces[0].altDiagonal = 1; }, true, false, false},
        {"colour", [](ModelObject& o) { o.materials[0].green = 99; }, true, false, false},
        {"texture", [](ModelObject& o) { std::strcpy(o.textures[0].files[0], "/nowhere/face.bmp"); }, true, false, false},
        {"part name", [](ModelObject& o) { std::strcpy(o.rootPart->children[0]->name, "leg"); }, true, false, false},
        {"part pose", [](ModelObject& o) { o.rootPart->children[0]->place(1, 2, 3, 0, 0, 0); }, false, false, true},
        {"object pose", [](ModelObject& o) { o.place(0.25f, 0, 0, 0, 0.5f, 0); }, false, false, true},
        {"embedded", [](ModelObject& o) { o.rootPart->children[0]->objects[0]->vertices[0].z = dt; }, false, true, false},
    };
    for (const Case& c : cases) {
        doc.clearObjects();
        doc.objects.append(makeObject(16));
        const std::string before = file();
        const DocumentSnapshot old = takeSnapshot(doc);
        ModelObject* live = &object();
        c.change(object());
        const DocumentSnapshot now = takeSnapshot(doc, &old);
        ASSERT_NE(file(), before) << c.what;
        const RestoreResult r = restoreSnapshot(doc, old, now);
        EXPECT_FALSE(r.rebuilt) << c.what;
        EXPECT_EQ(&object(), live) << c.what;
        EXPECT_EQ(r.needsRedraw, c.redraw) << c.what;
        EXPECT_EQ(!r.movedVertices.empty(), c.moved) << c.what;
        EXPECT_EQ(r.posesChanged, c.poses) << c.what;
        EXPECT_EQ(file(), before) << c.what;
        restoreSnapshot(doc, now, old); // and forward again
        EXPECT_NE(file(), before) << c.what;
    }
}

TEST_F(SnapshotFixture, ATreeChangeRebuildsTheObjects)
{
    doc.objects.append(makeObject(16));
    const std::string before = file();
    const DocumentSnapshot old = takeSnapshot(doc);
    auto* leg = new ModelPart(true);
    std::strcpy(leg->name, "leg");
    object().rootPart->children.append(leg);
    object().vertices.append(makeVertex(1, 1, 1));
    dt = 0.025f;
    const std::string after = file();
    const DocumentSnapshot now = takeSnapshot(doc, &old);
    RestoreResult r = restoreSnapshot(doc, old, now);
    EXPECT_TRUE(r.rebuilt);
    EXPECT_TRUE(r.gridStepChanged);
    EXPECT_EQ(dt, defaultGridStep);
    EXPECT_EQ(file(), before);
    ASSERT_NE(object().objectList, nullptr); // a top-level object again
    EXPECT_EQ(object().rootPart->children[0]->objects[0]->objectList, nullptr);
    EXPECT_TRUE(object().rootPart->children[0]->child);
    EXPECT_FALSE(object().rootPart->child);
    r = restoreSnapshot(doc, now, old);
    EXPECT_EQ(file(), after);
}
