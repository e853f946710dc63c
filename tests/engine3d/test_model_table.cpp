#include <gtest/gtest.h>

#include <cmath>

#include "engine3d/object_buffers.h"
#include "engine_fixture.h"
#include "model/model.h"

namespace quillo::engine3d::test {
namespace {

using ModelTableTest = EngineFixture;

// A root part and a child part that share the two middle vertices: the
// root's face uses them, the child claims them (walked later).
std::string jointModel()
{
    return "ob arm 0 0 0\n dt 0.0125\n"
           " v -1600 -400 0\n v -1600 400 0\n v 0 400 0\n v 0 -400 0\n v 1600 400 0\n v 1600 -400 0\n"
           "pb upper 0 0 0\n m 1 1 0\n c 255 0 0\n q 0 1 2 3\n"
           "pb lower -800 0 0\n m 1 1 0\n c 0 255 0\n q 3 2 4 5\npe lower\npe upper\noe arm\n";
}

TEST_F(ModelTableTest, LoadsTheFirstObjectAndListsItsParts)
{
    const std::string path = write("two.md4", squareModel() + "ob second 0 0 0\noe second\n");
    OBJCT* o = table->load(path);
    ASSERT_NE(o, nullptr);
    EXPECT_STREQ(o->name, "square");
    EXPECT_EQ(table->count(), 1);
    EXPECT_STREQ(table->path(0), path.c_str());
    ASSERT_EQ(o->objectList->count(), 1);
    EXPECT_EQ((*o->objectList)[0], o);
    EXPECT_EQ(o->partList.count(), 1);
    EXPECT_EQ(o->vertices.count(), 4);
    EXPECT_NE(o->materials[0].handle, 0u);
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(ModelTableTest, PartListIsPreOrderAndNestedObjectsFollowTheirParent)
{
    const std::string body = "ob top 0 0 0\n v 0 0 0\n v 0 8 0\n v 8 8 0\n v 8 0 0\n"
                             "pb root 0 0 0\n m 1 1 0\n c 9 9 9\n q 0 1 2 3\n"
                             "pb A 0 0 0\n pb A1 0 0 0\n pe A1\n ob inner 0 0 0\n v 0 0 0\n v 0 8 0\n v 8 0 0\n"
                             "pb iroot 0 0 0\n m 1 1 0\n c 1 1 1\n q 0 1 2 2\n pe iroot\n oe inner\n pe A\n"
                             "pb B 0 0 0\n pe B\npe root\noe top\n";
    OBJCT* o = table->load(write("tree.md4", body));
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(o->partList.count(), 4);
    const char* names[] = {"root", "A", "A1", "B"};
    for (int i = 0; i < 4; ++i) EXPECT_STREQ(o->partList[i]->name, names[i]);
    EXPECT_NE(dynamic_cast<JOINT*>(o->partList[1]), nullptr);
    EXPECT_EQ(dynamic_cast<JOINT*>(o->partList[0]), nullptr);
    ASSERT_EQ(o->objectList->count(), 2);
    EXPECT_STREQ((*o->objectList)[1]->name, "inner");
    EXPECT_EQ((*o->objectList)[1]->objectList, nullptr);
    EXPECT_EQ(objectPoseSize(*o), 24 + 24 + 3 * 12);
}

TEST_F(ModelTableTest, TheSixtyFifthModelIsRefused)
{
    const std::string path = write("sq.md4", squareModel());
    for (int i = 0; i < ModelTable::maxModels; ++i) ASSERT_NE(table->load(path), nullptr) << i;
    EXPECT_EQ(table->load(path), nullptr);
    EXPECT_EQ(table->count(), 64);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "このプログラムでは６４個以上のモデルは扱えません");
}

TEST_F(ModelTableTest, AMissingFileTakesNoSlot)
{
    EXPECT_EQ(table->load(dir / "none.md4"), nullptr);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "モデル:" + (dir / "none.md4") + " が見つかりません");
    EXPECT_EQ(table->count(), 0);
    // A broken file takes none either.
    EXPECT_EQ(table->load(write("bad.md4", "ob x 0 0 0\n v 1 two 3\noe x\n")), nullptr);
    EXPECT_EQ(table->count(), 0);
}

TEST_F(ModelTableTest, IntegersScaleByDtInMd4AndRealsStayInMd5WhileTheCallersDtIsKept)
{
    dt = 0.5f;
    const std::string body = "ob s 0 0 0\n dt 0.0125\n v 8 -8 0\n v 8 8 0\n v 0 0 0\npb r 0 0 0\n m 1 1 0\n c 1 1 1\n"
                             " q 0 1 2 2\npe r\noe s\n";
    OBJCT* four = table->load(write("s.md4", body));
    OBJCT* five = table->load(write("s.md5", body));
    ASSERT_TRUE(four && five);
    EXPECT_EQ(dt, 0.5f);
    EXPECT_NEAR(four->vertices[0].x, 0.1f + 0.0025f, 1e-6f);
    EXPECT_NEAR(five->vertices[0].x, 8.0f + 0.0025f, 1e-6f);
    dt = defaultGridStep;
}

TEST_F(ModelTableTest, AVertexSharedByAPartAndItsChildFollowsTheChild)
{
    OBJCT* o = table->load(write("arm.md4", jointModel()));
    ASSERT_NE(o, nullptr);
    PART* lower = o->partList[1];
    EXPECT_EQ(o->vertices[2].owner, lower->matrixHandle);
    EXPECT_EQ(o->vertices[0].owner, o->partList[0]->matrixHandle);
    // The upper face bridges the two parts; the lower face lies on one.
    ASSERT_TRUE(o->exbc && o->exbc2);
    EXPECT_EQ(o->exbc2->batch.lists.size(), 1u);
    EXPECT_EQ(o->exbc2->batch.lists[0].indices.size(), 6u);
    EXPECT_EQ(o->exbc2->batch.lists[0].groups[0].world, layer->identityMatrixHandle());
    EXPECT_EQ(o->exbc2->next, nullptr);

    // Moving the child moves the shared vertices in the bridging batch.
    lower->place(0, 0, 0, 0, 0, 0.5f);
    updateWorld(*o);
    DirtyRects dirty(160, 120);
    o->exbc2->draw(layer->device(), dirty);
    Mat4 world;
    layer->device().getMatrix(lower->matrixHandle, world);
    const Vertex& shared = o->vertices[2];
    const Vec3f moved = transformPoint({shared.x, shared.y, shared.z}, world);
    bool found = false;
    for (const DeviceVertex& v : o->exbc2->batch.vertices)
        found = found || (std::abs(v.x - moved.x) < 1e-5f && std::abs(v.z - moved.z) < 1e-5f && std::abs(moved.z) > 1e-3f);
    EXPECT_TRUE(found);
}

TEST_F(ModelTableTest, PartsThatShareNoVerticesHaveOnlySingleNodeBatches)
{
    OBJCT* o = table->load(write("sq.md4", squareModel()));
    ASSERT_NE(o, nullptr);
    EXPECT_NE(o->exbc, nullptr);
    EXPECT_EQ(o->exbc2, nullptr);
}

TEST_F(ModelTableTest, UnusedVerticesGoAndNormalsAreSmoothed)
{
    const std::string body = "ob s 0 0 0\n v 5 5 5\n v -800 -800 0\n v -800 800 0\n v 800 800 0\n v 800 -800 0\n"
                             "pb r 0 0 0\n m 1 1 0\n c 1 1 1\n q 1 2 3 4\npe r\noe s\n";
    OBJCT* o = table->load(write("u.md4", body));
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(o->vertices.count(), 4);
    EXPECT_EQ(o->partList[0]->faces[0].vertexA, 0);
    EXPECT_NEAR(o->vertices[0].nz, 1.0f, 1e-6f);
}

TEST_F(ModelTableTest, TrianglesFollowTheEditorsSplitAndDoubleSidedFacesGetTheirReverse)
{
    const std::string body = "ob s 0 0 0\n v 0 0 0\n v 0 8 0\n v 8 8 0\n v 8 0 0\n"
                             "pb r 0 0 0\n m 1 1 0\n c 1 1 1\n q 0 1 2 3\n Qd 0 2 3 1\n q 1 1 2 3\npe r\noe s\n";
    OBJCT* o = table->load(write("t.md4", body));
    ASSERT_NE(o, nullptr);
    const MaterialTriangles t = collectTriangles(*o);
    const std::vector<int32_t> expected = {0, 1, 3, 1, 2, 3, /* Qd */ 0, 2, 3, 0, 3, 2, 0, 3, 1, 0, 1, 3,
                                           /* q 1 1 2 3 */ 1, 2, 3};
    EXPECT_EQ(t[0], expected);
}

TEST_F(ModelTableTest, FacesWithoutAColourUseTheDefaultOne)
{
    const std::string body = "ob s 0 0 0\n v 0 0 0\n v 0 8 0\n v 8 8 0\npb r 0 0 0\n q 0 1 2 2\npe r\noe s\n";
    OBJCT* o = table->load(write("n.md4", body));
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(o->materials.count(), 1);
    EXPECT_EQ(o->materials[0].red, 255);
    EXPECT_EQ(o->materials[0].diffuse, 1.0f);
    EXPECT_EQ(collectTriangles(*o)[0].size(), 3u);
}

TEST_F(ModelTableTest, BatchesSplitBelowTheVertexLimit)
{
    EXPECT_EQ(batchVertexLimit(0), 65533u);
    EXPECT_EQ(batchVertexLimit(100000), 65533u);
    EXPECT_EQ(batchVertexLimit(9), 6u);
    OBJCT* o = table->load(write("arm.md4", jointModel()));
    ASSERT_NE(o, nullptr);
    // Six vertices per batch: the lower face's four copies fit, then a second material starts over.
    setexbuff(*o, collectTriangles(*o), 9);
    int links = 0;
    for (EXBC* l = o->exbc.get(); l; l = l->next.get()) {
        ++links;
        EXPECT_LE(l->batch.vertices.size(), 6u);
        for (const TriangleList& list : l->batch.lists)
            for (uint16_t i : list.indices) EXPECT_LT(i, l->batch.vertices.size());
    }
    EXPECT_GE(links, 1);
}

TEST_F(ModelTableTest, TooDeeplyNestedPartsAreRefused)
{
    std::string body = "ob deep 0 0 0\n v 0 0 0\n";
    const int depth = ModelTable::maxNesting + 5;
    for (int i = 0; i < depth; ++i) body += "pb p 0 0 0\n";
    for (int i = 0; i < depth; ++i) body += "pe p\n";
    body += "oe deep\n";
    EXPECT_EQ(table->load(write("deep.md4", body)), nullptr);
    EXPECT_EQ(table->count(), 0);
    EXPECT_FALSE(log.messages.empty());
}

} // namespace
} // namespace quillo::engine3d::test
