// The editor window with a real frame view, offscreen: menus and keys come
// from the command table, mouse input reaches the editor, and the image
// shown is the frame with its overlay.
#include "modeler/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "modeler/modeler_commands.h"
#include "modeler/modeler_tool_windows.h"
#include "platform/qt_selector.h"
#include "platform/qt_tool_window.h"

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
    // Shift+1 as its character "!", and Shift+2 as '"' on a Japanese keyboard; 802 has two keys, from two
    // rows of the table.
    for (const auto& [id, key] : {std::pair{615, "G"}, {514, "!"}, {515, "\""}, {631, "Shift+P"}, {801, "Ctrl+Z"},
                                  {802, "Ctrl+Y"}, {802, "Ctrl+Shift+Z"}})
        EXPECT_TRUE(f.action(id)->shortcuts().contains(QKeySequence(key))) << id << " " << key;
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

namespace {

// The editor window with its commands, tool windows and selectors, but a
// dispatcher that only records which command arrived: menus, keys and
// buttons must all reach the same number.
struct RecordingWindow {
    explicit RecordingWindow(bool fullscreen) : window(settings(fullscreen)), editor(dialogs, store, &window)
    {
        window.setCommands(editor.commands(), [this](int id) { return ran.push_back(id), false; });
        for (const ToolWindowSpec* layout : {&modeWindowSpec(), &faceWindowSpec(), &mouseWindowSpec()})
            window.addToolWindow(*layout);
        window.addSelector(300, objectSelector, [](int) {});
        window.fillSelector(300, {"a", "b"}, 0);
        if (fullscreen)
            window.showFullScreen();
        else
            window.show();
        activate(&window);
    }
    static EditorSettings settings(bool fullscreen)
    {
        EditorSettings s = WindowFixture::settings();
        s.fullscreen = fullscreen;
        return s;
    }
    static void activate(QWidget* w)
    {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    // The command a key press in the focused widget of `w` ran, or 0.
    int press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ran.clear();
        QWidget* target = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(target, key, modifiers);
        return ran.empty() ? 0 : ran.back();
    }

    ScriptedModelDialogs dialogs;
    MemorySettingsStore store;
    EditorWindow window;
    ModelEditor editor;
    std::vector<int> ran;
};

} // namespace

TEST(EditorWindow, MenusKeysAndToolButtonsRunTheSameCommand)
{
    RecordingWindow f(false);
    const CommandTable& table = f.editor.commands();
    EXPECT_TRUE(table.idsWithoutHandler().empty());
    for (const CommandEntry& c : table.entries()) {
        if (!c.label) continue;
        f.ran.clear();
        f.window.action(c.id)->trigger();
        EXPECT_EQ(f.ran, std::vector<int>{c.id}) << c.label;
    }
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int command;
    } keys[] = {{Qt::Key_G, {}, 615},        {Qt::Key_U, {}, 620},          {Qt::Key_P, Qt::ShiftModifier, 631},
                {Qt::Key_P, {}, 623},        {Qt::Key_6, {}, 605},          {Qt::Key_Exclam, Qt::ShiftModifier, 514},
                {Qt::Key_Up, {}, 626},       {Qt::Key_Right, {}, 629},      {Qt::Key_N, {}, 618},
                {Qt::Key_8, {}, 201},        {Qt::Key_0, {}, 625}};
    for (const auto& k : keys) EXPECT_EQ(f.press(&f.window, k.key, k.modifiers), k.command) << k.command;
    std::set<std::string> seen; // each key belongs to one command
    for (const CommandEntry& c : table.entries())
        EXPECT_TRUE(!c.key || seen.insert(c.key).second) << c.key;

    for (int windowCommand : {520, 523, 524}) {
        ToolWindow* tool = f.window.toolWindow(windowCommand);
        tool->show();
        for (QPushButton* b : tool->window()->findChildren<QPushButton*>()) {
            f.ran.clear();
            b->click();
            EXPECT_EQ(f.ran, std::vector<int>{b->objectName().toInt()});
            EXPECT_NE(table.find(b->objectName().toInt()), nullptr) << b->objectName().toStdString();
        }
    }
}

TEST(EditorWindow, KeysWorkInFullScreenWithTheMenuBarHidden)
{
    RecordingWindow f(true);
    EXPECT_FALSE(f.window.menuBar()->isVisible());
    EXPECT_EQ(f.press(&f.window, Qt::Key_G), 615);
    EXPECT_EQ(f.press(&f.window, Qt::Key_Exclam, Qt::ShiftModifier), 514);
    QTest::keyClick(&f.window, Qt::Key_Alt); // Alt shows the menu bar, and hides it again
    EXPECT_TRUE(f.window.menuBar()->isVisible());
    QTest::keyClick(&f.window, Qt::Key_Alt);
    EXPECT_FALSE(f.window.menuBar()->isVisible());
}

TEST(EditorWindow, KeysWorkWhileAToolOrSelectorWindowHasTheFocus)
{
    RecordingWindow f(false);
    f.window.showToolWindow(523);
    f.window.showToolWindow(300);
    for (QWidget* other : {static_cast<QWidget*>(f.window.toolWindow(523)->window()),
                           static_cast<QWidget*>(f.window.selector(300)->window())}) {
        ASSERT_NE(other, nullptr);
        RecordingWindow::activate(other);
        ASSERT_EQ(QApplication::activeWindow(), other);
        EXPECT_EQ(f.press(other, Qt::Key_T), 612);
        EXPECT_EQ(f.press(other, Qt::Key_Down), 627);
    }
    // Not while a modal box is up: its keys are its own.
    f.window.active = false;
    f.window.runCommand(615);
    EXPECT_TRUE(f.ran.empty() || f.ran.back() != 615);
}

TEST(EditorWindow, TheRubberBandIsDrawnWhileDraggingAndLeavesNoTrace)
{
    WindowFixture f;
    f.open();
    f.window.drawframe();
    QWidget* view = f.window.centralWidget();
    const QImage before = f.window.composedImage();
    // From an empty corner, over no face: only the band's rectangle shows.
    const QPoint from(20, 230), to(90, 280);
    QTest::mouseMove(view, from);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), view->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    ASSERT_TRUE(f.editor.banding());
    const QImage dragging = f.window.composedImage();
    auto differs = [&](int x, int y) { return dragging.pixel(x, y) != before.pixel(x, y); };
    EXPECT_TRUE(differs(55, 230));  // top side
    EXPECT_TRUE(differs(90, 255));  // right side
    EXPECT_TRUE(differs(55, 280));  // bottom side
    EXPECT_TRUE(differs(20, 255));  // left side
    EXPECT_FALSE(differs(55, 255)); // inside stays as it was
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_FALSE(f.editor.banding());
    EXPECT_TRUE(f.editor.state.selection.empty());
    EXPECT_EQ(f.window.composedImage(), before);
}

TEST(EditorWindow, TheWindowsSizeAndPlaceAreRememberedBetweenRuns)
{
    MemorySettingsStore store;
    {
        EditorMainWindow first(false);
        first.rememberGeometry(store); // nothing stored yet: the size it was given stays
        first.resize(320, 200);
        first.show();
        EXPECT_EQ(first.size(), QSize(320, 200));
        first.resize(500, 350);
        first.move(40, 30);
        first.close();
    }
    int x, y, w, h;
    ASSERT_TRUE(parseWindowGeometry(store.values["Window"], x, y, w, h));
    EXPECT_EQ(QSize(w, h), QSize(500, 350));
    EditorMainWindow second(false);
    second.rememberGeometry(store);
    EXPECT_EQ(second.size(), QSize(500, 350));
    EXPECT_EQ(second.pos(), QPoint(x, y));

    for (const char* broken : {"", "1 2 3", "1 2 0 5", "a b c d", "1 2 3 4 5"}) {
        store.values["Window"] = broken;
        EditorMainWindow third(false);
        third.resize(320, 200);
        third.rememberGeometry(store);
        EXPECT_EQ(third.size(), QSize(320, 200)) << broken;
    }
}

TEST(EditorWindow, RecentFilesSubmenuShowsTheList)
{
    WindowFixture f;
    f.window.setRecentCommands(id(Cmd::RecentFile1));
    f.window.recentFilesChanged(f.editor.recentFiles().files());
    for (int i = 0; i < recentFileCount; ++i) EXPECT_FALSE(f.action(id(Cmd::RecentFile1) + i)->isVisible()) << i;
    f.open();
    QAction* first = f.action(id(Cmd::RecentFile1));
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text().toStdString(), "&1 " + f.dir / "m.md4");
    EXPECT_FALSE(f.action(id(Cmd::RecentFile1) + 1)->isVisible());
    // The items stand in the submenu 最近使ったファイル of the file menu.
    QMenu* submenu = nullptr;
    for (QAction* a : f.window.menuBar()->actions().first()->menu()->actions())
        if (a->menu() && a->text() == QString::fromUtf8("最近使ったファイル")) submenu = a->menu();
    ASSERT_NE(submenu, nullptr);
    EXPECT_TRUE(submenu->actions().contains(first));
}
