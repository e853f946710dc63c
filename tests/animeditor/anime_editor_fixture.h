// An animation editor on the software engine, with scripted dialogs and a
// sound device that writes down its calls; temporary files go to a folder
// of their own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "animation/recording_sound_device.h"
#include "animeditor/anime_editor.h"
#include "animeditor/scripted_anime_dialogs.h"

namespace quillo::animeditor::test {

inline std::string example(const std::string& name) { return std::string(QUILLO_SOURCE_DIR) + "/examples/" + name; }

inline std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline engine3d::EngineSettings smallEngine()
{
    engine3d::EngineSettings s;
    s.maxWidth = 320;
    s.maxHight = 240;
    return s;
}

class AnimeEditorTest : public ::testing::Test {
protected:
    AnimeEditorTest()
        : dir(std::filesystem::temp_directory_path() /
              ("anime_editor_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          editor(dialogs, sound, smallEngine())
    {
        std::filesystem::create_directories(dir);
        // Motions without a path of their own are saved beside the test's files.
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
        editor.start("");
    }
    ~AnimeEditorTest() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }

    // Queues one answer, as a script's "answer" line would.
    void answer(std::vector<std::string> words)
    {
        std::string error;
        ASSERT_TRUE(dialogs.queueWords(words, error)) << error;
    }
    // Runs a command; the run fails on a dialog without its answer, and on an answer left over.
    bool run(Cmd command)
    {
        const bool redraw = editor.dispatch(command);
        EXPECT_EQ(dialogs.failure(), "") << "command " << id(command);
        EXPECT_FALSE(dialogs.pending()) << "answer left after command " << id(command);
        dialogs.clearFailure();
        dialogs.clear();
        return redraw;
    }
    std::string temp(const std::string& name) const { return (dir / name).string(); }
    // Opens robot_show.md7 choosing object `object` and part 0.
    void openShow()
    {
        answer({"file", example("robot_show.md7")});
        answer({"select", "0"});
        answer({"select", "0"});
        run(Cmd::Open);
    }
    // Adds robot.md4 to the current scene and chooses its first object and part.
    void addRobot()
    {
        answer({"file", example("robot.md4")});
        answer({"select", "0"});
        answer({"select", "0"});
        run(Cmd::AddModel);
    }

    std::filesystem::path dir, previous;
    ScriptedAnimeDialogs dialogs;
    anim::RecordingSoundDevice sound;
    AnimeEditor editor;
};

} // namespace quillo::animeditor::test
