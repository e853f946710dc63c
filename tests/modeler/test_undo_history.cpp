// The undo history on its own: steps, merging, redo, and the limits that
// drop the oldest steps.
#include "modeler/undo_history.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

struct HistoryFixture {
    ModelDocument doc;
    explicit HistoryFixture(int vertices = 8)
    {
        dt = defaultGridStep;
        auto* o = new ModelObject(true);
        for (int i = 0; i < vertices; ++i) o->vertices.append(makeVertex(float(i) * dt, 0, 0));
        doc.objects.append(o);
    }
    Vertex& vertex(int i) { return doc.objects[0]->vertices[i]; }
    // Moves vertex i by one grid step and records it under `key`.
    bool move(UndoHistory& h, int i, ChangeKey key = {})
    {
        vertex(i).y += dt;
        return h.record(doc, key, EditCursor{}, EditCursor{});
    }
};

ChangeKey moveKey(int command, const void* target)
{
    ChangeKey k;
    k.command = command;
    k.mode = 3;
    k.target = target;
    k.mergeable = true;
    return k;
}

} // namespace

TEST(UndoHistory, StepsUndoAndRedoInOrder)
{
    HistoryFixture f;
    UndoHistory h;
    h.reset(f.doc, {});
    EXPECT_FALSE(h.record(f.doc, {}, {}, {})); // nothing changed: no step
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(f.move(h, i));
    EXPECT_EQ(h.undoSteps(), 3);
    RestoreResult r;
    EditCursor c;
    ASSERT_TRUE(h.undo(f.doc, r, c));
    EXPECT_EQ(f.vertex(2).y, 0.0f);
    EXPECT_EQ(f.vertex(1).y, dt);
    EXPECT_EQ(h.redoSteps(), 1);
    ASSERT_TRUE(h.redo(f.doc, r, c));
    EXPECT_EQ(f.vertex(2).y, dt);
    ASSERT_TRUE(h.undo(f.doc, r, c));
    EXPECT_TRUE(f.move(h, 5)); // a new change drops the redo step
    EXPECT_EQ(h.redoSteps(), 0);
    EXPECT_FALSE(h.redo(f.doc, r, c));
}

TEST(UndoHistory, MergingNeedsTheSameKeyWithNothingBetween)
{
    HistoryFixture f;
    UndoHistory h;
    h.reset(f.doc, {});
    int target = 0, other = 0;
    const struct {
        ChangeKey key;
        bool noteFirst;
        int steps;
    } moves[] = {
        {moveKey(615, &target), false, 1},
        {moveKey(615, &target), false, 1}, // merged
        {moveKey(614, &target), false, 2}, // another key
        {moveKey(614, &other), false, 3},  // another target
        {moveKey(614, &other), true, 4},   // another command in between
        {ChangeKey{}, false, 5},           // not mergeable
        {ChangeKey{}, false, 6},
    };
    for (const auto& m : moves) {
        if (m.noteFirst) h.noteCommand();
        f.move(h, 0, m.key);
        EXPECT_EQ(h.undoSteps(), m.steps);
    }
    RestoreResult r;
    EditCursor c;
    h.undo(f.doc, r, c);
    f.move(h, 0, moveKey(614, &other));
    f.move(h, 0, moveKey(614, &other));
    EXPECT_EQ(h.undoSteps(), 6) << "after an undo the next move starts a step of its own, then merges";
}

TEST(UndoHistory, TheStepLimitDropsTheOldestSteps)
{
    HistoryFixture f;
    UndoHistory h(UndoLimits{size_t(1) << 30, 200});
    h.reset(f.doc, {});
    for (int i = 0; i < 250; ++i) f.move(h, i % 8);
    EXPECT_EQ(h.undoSteps(), 200);
    RestoreResult r;
    EditCursor c;
    while (h.undo(f.doc, r, c)) {}
    // The 50 oldest moves stay done: two moves of each vertex (a sweep of 8 moves ran 6 and a quarter times).
    EXPECT_FLOAT_EQ(f.vertex(0).y, 7 * dt);
    EXPECT_FLOAT_EQ(f.vertex(7).y, 6 * dt);
}

TEST(UndoHistory, TheByteLimitKeepsTheHistoryBoundedAndCountsSharedChunksOnce)
{
    HistoryFixture f(100000); // 25 chunks of vertices
    const size_t chunk = snapshotChunkRecords * sizeof(VertexData);
    UndoHistory unlimited;
    unlimited.reset(f.doc, {});
    const size_t base = unlimited.bytes();
    EXPECT_GE(base, 100000 * sizeof(VertexData));
    for (int i = 0; i < 10; ++i) f.move(unlimited, 0);
    // Ten small edits cost ten chunks, not ten copies of the model.
    EXPECT_LT(unlimited.bytes(), base + 10 * (chunk + 4096));
    EXPECT_GE(unlimited.bytes(), base + 10 * chunk);

    UndoHistory bounded(UndoLimits{base + 5 * chunk + 8192, 1000});
    bounded.reset(f.doc, {});
    for (int i = 0; i < 20; ++i) f.move(bounded, 0);
    EXPECT_LE(bounded.bytes(), base + 5 * chunk + 8192);
    EXPECT_GE(bounded.undoSteps(), 3);
    EXPECT_LT(bounded.undoSteps(), 20);
    RestoreResult r;
    EditCursor c;
    const float y = f.vertex(0).y;
    int undone = 0;
    while (bounded.undo(f.doc, r, c)) ++undone;
    EXPECT_FLOAT_EQ(f.vertex(0).y, y - float(undone) * dt);
}

TEST(UndoHistory, TheGenerationCountsEveryChange)
{
    HistoryFixture f;
    UndoHistory h;
    h.reset(f.doc, {});
    const uint64_t g = h.generation();
    h.record(f.doc, {}, {}, {});
    EXPECT_EQ(h.generation(), g);
    f.move(h, 0);
    EXPECT_EQ(h.generation(), g + 1);
    RestoreResult r;
    EditCursor c;
    h.undo(f.doc, r, c);
    EXPECT_EQ(h.generation(), g + 2);
}
