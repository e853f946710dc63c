// The editor window with a real frame view, offscreen: menus and keys come
// from the command table, mouse input reaches the editor, and the image
// shown is the frame with its overlay.
#include "modeler/editor_window.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "modeler/modeler_commands.h"

using namespace quillo;

namespace {

struct WindowFixture {
    WindowFixture() : window(settings()), editor(dialogs, store, &window)
    {
        window.setEditor(&editor);
        window.resize(640, 480);
        window.show();
        window.setArea(400, 300);
    }
    static EditorSettings settings()
    {
        EditorSettings s;
        s.maxwidth = 640;
        s.maxhight = 480;
        return s;
    }
    void open()
    {
        quillo::test::writeText(dir / "m.md4", quillo::test::twoLayers());
        std::string error;
        dialogs.queueWords({"file", dir / "m.md4"}, error);
        dialogs.queueWords({"select", "0"}, error);
        window.runCommand(101);
    }
    QAction* action(int id) { return window.action(id); }

    quillo::test::TempDir dir;
    ScriptedModelDialogs dialogs;
    MemorySettingsStore store;
    EditorWindow window;
    ModelEditor editor;
};

} // namespace

TEST(EditorWindow, MenusAndKeysComeFromTheCommandTable)
{
    WindowFixture f;
    EXPECT_EQ(f.window.windowTitle(), QStringLiteral("Ｑｕｉｌｌｏ　３Ｄモデラー　ＤＤ"));
    for (const CommandEntry& c : f.editor.commands().entries()) {
        if (!c.label) continue;
        QAction* a = f.action(c.id);
        ASSERT_NE(a, nullptr) << c.id;
        EXPECT_EQ(a->text(), QString::fromUtf8(c.label));
    }
    EXPECT_TRUE(f.action(615)->shortcuts().contains(QKeySequence("G")));
    EXPECT_TRUE(f.action(514)->shortcuts().contains(QKeySequence("!"))); // Shift+1 as its character
    EXPECT_TRUE(f.action(631)->shortcuts().contains(QKeySequence("Shift+P")));
}

TEST(EditorWindow, CommandsRedrawTheFrame)
{
    WindowFixture f;
    f.open();
    ASSERT_NE(f.editor.state.currentobject, nullptr);
    QImage before = f.window.composedImage();
    EXPECT_EQ(before.size(), QSize(400, 300));
    f.action(615)->trigger(); // +X by 3125 grid units: the square moves right
    EXPECT_FLOAT_EQ(f.editor.state.currentobject->position[0], 39.0625f);
    EXPECT_NE(f.window.composedImage(), before);
}

TEST(EditorWindow, TheDrawingAreaStaysWithinItsLimits)
{
    WindowFixture f;
    f.window.setArea(3, 2000);
    EXPECT_EQ(f.window.areaWidth(), 10);
    EXPECT_EQ(f.window.areaHeight(), 480);
}

TEST(EditorWindow, ClicksOnTheViewPickFaces)
{
    WindowFixture f;
    f.open();
    f.window.drawframe();
    const Vertex& centre = f.editor.state.currentobject->vertices[4];
    QWidget* view = f.window.centralWidget();
    QPoint at(centre.sx - 3, centre.sy - 3);
    QTest::mouseMove(view, at);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(f.editor.state.pickpoint, 4);
    EXPECT_EQ(f.editor.state.pickface.c[0], 0);
    EXPECT_TRUE(f.editor.overlay().hasMark);
}
