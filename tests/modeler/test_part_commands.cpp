#include "modeler/part_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "edit_fixture.h"
#include "model/text_util.h"
#include "modeler/edit_helpers.h"

using namespace quillo;
using quillo::test::corners;
using quillo::test::EditFixture;

namespace {

// body (one quad) with children a and b; a holds a quad, the same quad as
// body's turned, an embedded object, and the children a1 (one quad) and a2.
const char* partTree()
{
    return "ob o 0 0 0\n dt 0.0125\n"
           " v -100 -100 0\n v 100 -100 0\n v 100 100 0\n v -100 100 0\n"
           " v 300 -100 0\n v 500 -100 0\n v 500 100 0\n v 300 100 0\n"
           " v 300 300 0\n v 500 300 0\n v 500 500 0\n v 300 500 0\n"
           "pb body 0 0 0\n m 0 1 0\n c 255 255 255\n q 0 1 2 3\n"
           " pb a 400 0 0\n  q 4 5 6 7\n  q 1 2 3 0\n"
           "  ob inner 0 0 0\n   v 0 0 0\n   v 10 0 0\n   v 10 10 0\n   v 0 10 0\n"
           "  pb core 0 0 0\n   q 0 1 2 3\n  pe core\n  oe inner\n"
           "  pb a1 400 400 0\n   q 8 9 10 11\n  pe a1\n"
           "  pb a2 400 0 0\n  pe a2\n"
           " pe a\n"
           " pb b 0 0 0\n pe b\n"
           "pe body\noe o\n";
}

std::vector<std::string> namesOf(const PointerList<ModelPart>& parts)
{
    std::vector<std::string> names;
    for (ModelPart* p : parts) names.push_back(p->name);
    return names;
}

struct PartCommands : ::testing::Test {
    EditFixture f;
    void SetUp() override
    {
        open();
        ASSERT_NE(f.state().currentobject, nullptr) << f.failure();
    }
    void TearDown() override { EXPECT_TRUE(f.failure().empty()) << f.failure(); }
    // Two objects (o and the embedded inner) and five parts: both boxes ask.
    void open() { f.openAnswering("tree.md4", partTree(), {{"select", "0"}, {"select", "0"}}); }
    void choose(const char* name)
    {
        f.state().currentpart = f.part(name);
        ASSERT_NE(f.state().currentpart, nullptr) << name;
    }
    ModelPart& body() { return *f.object().rootPart; }
    EditContext context() { return EditContext{f.editor.state, f.dialogs, f.editor.table}; }
};

} // namespace

TEST_F(PartCommands, AddAppendsAnEmptyChildAtTheParentsPosition)
{
    choose("a");
    f.answer({"input", "hand"});
    EXPECT_TRUE(f.run(400));
    ModelPart* a = f.part("a");
    EXPECT_EQ(namesOf(a->children), (std::vector<std::string>{"a1", "a2", "hand"}));
    ModelPart* hand = f.part("hand");
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(hand->faces.count(), 0);
    EXPECT_TRUE(hand->child);
    EXPECT_FLOAT_EQ(hand->position[0], a->position[0]);
    EXPECT_EQ(f.state().currentpart, a); // the new part does not become current
    EXPECT_EQ(f.host.partNames, (std::vector<std::string>{"body", "a", "a1", "a2", "hand", "b"}));
    EXPECT_EQ(f.dialogs.prompts.back(), "追加する部分名を入力してください");
    // Cancel adds nothing.
    f.answer({"cancel"});
    EXPECT_FALSE(f.run(400));
    EXPECT_EQ(a->children.count(), 3);
}

TEST_F(PartCommands, InsertPutsTheNewPartBetweenThePartAndItsChildren)
{
    choose("a");
    f.answer({"input", "joint"});
    f.run(401);
    ModelPart* a = f.part("a");
    ASSERT_EQ(a->children.count(), 1);
    EXPECT_STREQ(a->children[0]->name, "joint");
    EXPECT_EQ(namesOf(a->children[0]->children), (std::vector<std::string>{"a1", "a2"}));
    // Inserting below a part without children gives it one empty child.
    choose("b");
    f.answer({"input", "tip"});
    f.run(401);
    ASSERT_EQ(f.part("b")->children.count(), 1);
    EXPECT_EQ(f.part("b")->children[0]->children.count(), 0);
}

TEST_F(PartCommands, NamesAreMadeFitForTheFile)
{
    choose("b");
    std::string longName;
    for (int i = 0; i < 30; ++i) longName += "部"; // 90 bytes
    f.answer({"input", longName});
    f.run(400);
    const char* cut = f.part("b")->children[0]->name;
    EXPECT_EQ(std::strlen(cut), 78u); // 26 whole characters fit in 79 bytes
    EXPECT_EQ(cutUtf8(cut, 79), cut);
    f.answer({"input", "left arm"});
    f.run(400);
    EXPECT_STREQ(f.part("b")->children[1]->name, "left_arm");
    f.answer({"input", ""});
    f.run(400);
    EXPECT_STREQ(f.part("b")->children[2]->name, "_");
}

TEST_F(PartCommands, AddNeedsAPart)
{
    f.state().currentpart = nullptr;
    f.answer({"message", "親となる部分が選択されていません"});
    EXPECT_FALSE(f.run(400));
    f.answer({"message", "親となる部分が選択されていません"});
    EXPECT_FALSE(f.run(401));
}

TEST_F(PartCommands, TheRootPartCannotBeDeleted)
{
    for (int command : {402, 403, 404}) {
        f.answer({"message", "第一部分は削除できません"});
        EXPECT_FALSE(f.run(command));
    }
    EXPECT_EQ(f.object().partList.count(), 5);
}

TEST_F(PartCommands, DeletingAPartMovesOrDropsItsFacesChildrenAndObjects)
{
    struct Case {
        int command;
        std::vector<std::string> children, parts;
        int faces, objects, vertices; // dropped faces' vertices go with the redraw
    };
    for (const Case& c : {Case{402, {"b", "a1", "a2"}, {"body", "b", "a1", "a2"}, 2, 1, 12},
                          Case{403, {"b", "a1", "a2"}, {"body", "b", "a1", "a2"}, 1, 1, 8},
                          Case{404, {"b"}, {"body", "b"}, 1, 0, 4}}) {
        SCOPED_TRACE(c.command);
        open();
        choose("a");
        EXPECT_TRUE(f.run(c.command));
        EXPECT_EQ(f.state().currentpart, &body());
        EXPECT_EQ(namesOf(body().children), c.children);
        EXPECT_EQ(namesOf(f.object().partList), c.parts);
        ASSERT_EQ(body().faces.count(), c.faces); // the turned copy of body's quad is not added again
        if (c.faces > 1) EXPECT_EQ(corners(body().faces[1]), (std::vector<int>{4, 5, 6, 7}));
        ASSERT_EQ(body().objects.count(), c.objects);
        if (c.objects) EXPECT_STREQ(body().objects[0]->name, "inner");
        EXPECT_EQ(f.object().vertices.count(), c.vertices);
        EXPECT_EQ(f.editor.allObjects().size(), 1u + c.objects);
    }
}

TEST_F(PartCommands, NoVertexKeepsADestroyedPartAsItsOwner)
{
    for (PartDelete kind : {PartDelete::node, PartDelete::withFaces, PartDelete::withChildren}) {
        open();
        choose("a");
        // Vertices 4..7 belong to a, 8..11 to a1.
        ASSERT_EQ(f.object().vertices[5].owner, &f.part("a")->world);
        ASSERT_EQ(f.object().vertices[9].owner, &f.part("a1")->world);
        EditContext c = context();
        ASSERT_TRUE(deletePart(c, kind));
        // Before any prepare: every owner is the world block of a living part.
        std::set<const TransformBlock*> living;
        std::vector<ModelPart*> parts = partsInOrder(f.object());
        for (ModelPart* p : parts) living.insert(&p->world);
        for (const Vertex& v : f.object().vertices) {
            EXPECT_TRUE(living.count(v.owner)) << int(kind);
            EXPECT_TRUE(!v.ownerCopy || living.count(v.ownerCopy)) << int(kind);
        }
        f.editor.redraw();
    }
}

TEST_F(PartCommands, ResizeScalesThePartAndItsSubtreeAboutItsPosition)
{
    choose("a");
    f.answer({"mag", "2", "1", "0.5"});
    f.answer({"ask", "yes"});
    EXPECT_TRUE(f.run(405));
    EXPECT_EQ(f.dialogs.shown.back(), "部分 a を横 2 縦 1 奥行き 0.5 の\n倍率で変形させます\nよろしいですか？");
    EXPECT_EQ(f.grid(4), (std::vector<int>{200, -100, 0}));
    EXPECT_EQ(f.grid(5), (std::vector<int>{600, -100, 0}));
    EXPECT_EQ(f.grid(9), (std::vector<int>{600, 300, 0})); // a1's too
    EXPECT_EQ(f.part("b")->position[0], 0.0f); // outside the subtree nothing moves
    EXPECT_EQ(int(f.part("a1")->position[0] / dt), 400);
    // Every coordinate follows the grid rule.
    EXPECT_FLOAT_EQ(f.object().vertices[5].x, 600.2f * dt);
    EXPECT_FLOAT_EQ(f.object().vertices[4].y, -100.2f * dt);
}

TEST_F(PartCommands, ResizeByOneStillSnaps)
{
    choose("a");
    f.object().vertices[5].x = 510.5f * dt;
    f.object().vertices[6].x = -20.7f * dt;
    f.answer({"mag", "1", "1", "1"});
    f.answer({"ask", "yes"});
    f.run(405);
    EXPECT_FLOAT_EQ(f.object().vertices[5].x, (510.0f + 0.2f) * dt);
    EXPECT_FLOAT_EQ(f.object().vertices[6].x, (-20.0f - 0.2f) * dt);
}

TEST_F(PartCommands, ResizeAnsweredNoOrCancelledChangesNothing)
{
    choose("a");
    const float x = f.object().vertices[5].x;
    f.answer({"mag", "3", "3", "3"});
    f.answer({"ask", "no"});
    EXPECT_FALSE(f.run(405));
    f.answer({"cancel"});
    EXPECT_FALSE(f.run(405));
    EXPECT_EQ(f.object().vertices[5].x, x);
}

TEST_F(PartCommands, RenamePartAndObject)
{
    choose("a");
    f.answer({"input", "arm"});
    f.run(406);
    EXPECT_EQ(f.dialogs.prompts.back(), "部分 a の新しい名前を入力してください");
    EXPECT_EQ(f.dialogs.presets.back(), "a");
    EXPECT_STREQ(f.state().currentpart->name, "arm");
    f.answer({"cancel"});
    f.run(406);
    EXPECT_STREQ(f.state().currentpart->name, "arm");
    f.answer({"input", "robot"});
    f.run(407);
    EXPECT_EQ(f.dialogs.prompts.back(), "物体 o の新しい名前を入力してください");
    EXPECT_STREQ(f.object().name, "robot");
}

TEST_F(PartCommands, ReorderTheChildren)
{
    choose("body");
    f.answer({"reorder", "1", "0"});
    EXPECT_TRUE(f.run(408));
    EXPECT_EQ(namesOf(body().children), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(namesOf(f.object().partList), (std::vector<std::string>{"body", "b", "a", "a1", "a2"}));
    f.answer({"cancel"});
    EXPECT_FALSE(f.run(408));
    EXPECT_EQ(namesOf(body().children), (std::vector<std::string>{"b", "a"}));
    // A single child needs no reordering: no box comes up.
    choose("a1");
    f.answer({"input", "x"});
    f.run(400);
    EXPECT_FALSE(f.run(408));
}

TEST_F(PartCommands, ChangeParentNeverOffersThePartOrItsDescendants)
{
    choose("a");
    f.answer({"select", "1"});
    EXPECT_TRUE(f.run(409));
    ASSERT_FALSE(f.dialogs.selectLists.empty());
    EXPECT_EQ(f.dialogs.selectLists.back(), (std::vector<std::string>{"body", "b"}));
    EXPECT_EQ(f.dialogs.selectTexts.back(), "新しい親を指定してください");
    EXPECT_EQ(namesOf(body().children), (std::vector<std::string>{"b"}));
    EXPECT_EQ(namesOf(f.part("b")->children), (std::vector<std::string>{"a"}));
    EXPECT_EQ(namesOf(f.object().partList), (std::vector<std::string>{"body", "b", "a", "a1", "a2"}));

    choose("a1");
    f.answer({"select", "0"});
    f.run(409);
    EXPECT_EQ(f.dialogs.selectLists.back(), (std::vector<std::string>{"body", "b", "a", "a2"}));
    EXPECT_EQ(namesOf(body().children), (std::vector<std::string>{"b", "a1"}));
}

TEST_F(PartCommands, ChangeParentOfTheRootOffersNothing)
{
    choose("body");
    const size_t boxes = f.dialogs.selectLists.size();
    EXPECT_FALSE(f.run(409));
    EXPECT_EQ(f.dialogs.selectLists.size(), boxes);
    f.answer({"cancel"});
    choose("b");
    EXPECT_FALSE(f.run(409));
    EXPECT_EQ(namesOf(body().children), (std::vector<std::string>{"a", "b"}));
}

TEST_F(PartCommands, TheSavedTreeReadsBack)
{
    choose("a");
    f.run(402);
    f.answer({"file", f.dir / "saved.md4"});
    f.run(105);
    f.openAnswering("saved.md4", quillo::test::readText(f.dir / "saved.md4"), {{"select", "0"}, {"select", "0"}});
    EXPECT_EQ(namesOf(f.object().partList), (std::vector<std::string>{"body", "b", "a1", "a2"}));
    EXPECT_EQ(f.object().rootPart->faces.count(), 2);
}
