// The animation editor's window on Qt's offscreen platform: title, menus and
// keys from the command table, the scene tool window, the status line and
// the rule that nothing draws while a menu is open.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "animation/md7_file.h"
#include "animation/recording_sound_device.h"
#include "animeditor/anime_editor.h"
#include "animeditor/anime_tool_windows.h"
#include "animeditor/anime_window.h"
#include "animeditor/scripted_anime_dialogs.h"
#include "platform/qt_text.h"
#include "platform/qt_tool_window.h"
#include "../support/temp_dir.h"

namespace quillo::animeditor {
namespace {

class AnimeWindowTest : public ::testing::Test {
protected:
    AnimeWindowTest() : window(settings()), editor(dialogs, sound, engineSettingsOf(settings()), &window)
    {
        window.setEditor(&editor);
        editor.start("");
    }
    static AnimatorSettings settings()
    {
        AnimatorSettings s;
        s.maxwidth = 320;
        s.maxhight = 240;
        return s;
    }
    void addRobot()
    {
        std::string error;
        for (std::vector<std::string> w : {std::vector<std::string>{"file", std::string(QUILLO_SOURCE_DIR) + "/examples/robot.md4"},
                                           {"select", "0"}, {"select", "0"}})
            ASSERT_TRUE(dialogs.queueWords(w, error)) << error;
        window.runCommand(id(Cmd::AddModel));
        ASSERT_EQ(dialogs.failure(), "");
    }

    ScriptedAnimeDialogs dialogs;
    anim::RecordingSoundDevice sound;
    AnimeWindow window;
    AnimeEditor editor;
};

TEST_F(AnimeWindowTest, TitleAndMenusFromTheTable)
{
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Ｑｕｉｌｌｏ　３Ｄアニメーター　Ｄ３Ｄ"));
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) titles << a->text();
    QStringList expected;
    for (const char* m : editor.commands().menus()) expected << toQt(m);
    EXPECT_EQ(titles, expected);
    for (const CommandEntry& e : editor.commands().entries()) {
        if (!e.label) continue;
        QAction* a = window.action(e.id);
        ASSERT_NE(a, nullptr) << e.id;
        if (e.key && e.handler) {
            EXPECT_FALSE(a->shortcut().isEmpty()) << e.id;
        }
    }
    EXPECT_EQ(window.action(id(Cmd::MotionPrevious))->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(window.action(id(Cmd::MotionNext))->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST_F(AnimeWindowTest, TheDrawingAreaFollowsTheWindowWithinItsLimits)
{
    window.show();
    std::string why;
    ASSERT_TRUE(window.resizeWindow(200, 150, why));
    EXPECT_EQ(editor.layer().width(), window.view()->width());
    EXPECT_EQ(editor.layer().height(), window.view()->height());
    EXPECT_EQ(window.view()->shown().size(), window.view()->size());
    ASSERT_TRUE(window.resizeWindow(2000, 2000, why)); // the window stops at its maximum
    EXPECT_LE(editor.layer().width(), 320);
    EXPECT_LE(editor.layer().height(), 240);
}

// The script verb "screenshot" (shared by both editors' windows).
TEST_F(AnimeWindowTest, AScreenshotIsAPictureOfTheWholeWindow)
{
    window.show();
    std::string why;
    ASSERT_TRUE(window.resizeWindow(300, 200, why));
    test::TempDir dir;
    ASSERT_TRUE(window.writeScreenshot(dir / "window.png", why)) << why;
    const QImage picture(QString::fromStdString(dir / "window.png"));
    EXPECT_EQ(picture.size(), window.grab().size());
    EXPECT_GT(picture.height(), window.view()->height()); // menu bar and status line too
    EXPECT_FALSE(window.writeScreenshot(dir / "missing/window.png", why));
    EXPECT_EQ(why, "cannot write " + dir / "missing/window.png");
}

// "連番画像の書き出し" writes every frame of the scene, making the folders
// its pattern names (as a user typing out/frame%04d.png expects).
TEST_F(AnimeWindowTest, ExportWritesTheSceneIntoTheFoldersOfItsPattern)
{
    ASSERT_EQ(anim::readAnimation(editor.document(), std::string(QUILLO_SOURCE_DIR) + "/examples/robot_show.md7"),
              anim::Md7Status::ok);
    editor.makeSceneCurrent(-1);
    const int frames = editor.document().current().frames.count();
    ASSERT_GT(frames, 1);
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(dialogs.queueWords({"input", dir / "new/folder/f%02d.png"}, error)) << error;
    window.runCommand(id(Cmd::ExportFrames));
    EXPECT_EQ(dialogs.failure(), "");
    for (int n = 0; n < frames; ++n) {
        const QImage picture(QString::fromStdString(dir / ("new/folder/f0" + std::to_string(n) + ".png")));
        EXPECT_EQ(picture.size(), QSize(editor.layer().width(), editor.layer().height())) << n;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / ("new/folder/f0" + std::to_string(frames) + ".png")));
}

TEST_F(AnimeWindowTest, TheSceneToolWindowSendsItsCommands)
{
    window.addToolWindow(sceneToolWindowSpec());
    window.runCommand(id(Cmd::SceneWindow));
    ToolWindow* tool = window.toolWindow(id(Cmd::SceneWindow));
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(tool->isOpen());
    EXPECT_EQ(tool->window()->windowTitle(), QString::fromUtf8("場面"));
    addRobot();
    findControl<QPushButton>(tool->window(), 618)->click();
    EXPECT_EQ(editor.document().current().frames.count(), 1);
    findControl<QPushButton>(tool->window(), 629)->click();
    EXPECT_EQ(editor.document().current().frameIndex, 1);
}

TEST_F(AnimeWindowTest, TheStatusLineShowsWithAnObjectAndAPart)
{
    EXPECT_EQ(window.statusText(), "");
    addRobot();
    window.drawframe();
    const std::string text = fromQt(window.statusText());
    EXPECT_TRUE(std::regex_match(text, std::regex("-?\\d+ -?\\d+ -?\\d+  \\d+ \\d+       "))) << text;
    EXPECT_FALSE(window.view()->shown().isNull());
}

TEST_F(AnimeWindowTest, NothingActsWhileAMenuIsOpen)
{
    addRobot();
    QMenu* menu = window.menuBar()->actions().first()->menu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    EXPECT_FALSE(window.active);
    const int frames = editor.document().current().frames.count();
    window.runCommand(id(Cmd::Record));
    EXPECT_EQ(editor.document().current().frames.count(), frames);
    emit menu->aboutToHide();
    EXPECT_TRUE(window.active);
    window.runCommand(id(Cmd::Record));
    EXPECT_EQ(editor.document().current().frames.count(), frames + 1);
}

} // namespace
} // namespace quillo::animeditor
