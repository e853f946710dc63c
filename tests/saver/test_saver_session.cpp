#include "saver/saver_session.h"

#include <gtest/gtest.h>

#include <vector>

#include "../support/temp_dir.h"
#include "platform/settings_store.h"

using namespace quillo;

namespace {

// Records what start-up asked for, in order.
struct FakeHost : SaverHost {
    MemorySettingsStore settings;
    bool locked = false, windowFails = false, dialogOk = true;
    std::string chosenFile;
    std::vector<std::string> calls;

    bool acquireLock(SaverMode) override
    {
        calls.push_back("lock");
        return !locked;
    }
    SettingsStore& store() override { return settings; }
    bool runSettingsDialog(SaverSettings& s) override
    {
        calls.push_back("dialog");
        if (dialogOk) s.animfile = chosenFile;
        return dialogOk;
    }
    void message(const std::string& text) override { calls.push_back("message " + text); }
    bool createWindow(const SaverCommand&) override
    {
        calls.push_back("window");
        return !windowFails;
    }
    void showInWindow(const std::string& text) override { calls.push_back("shown " + text); }
    int play(const SaverSettings& s) override
    {
        calls.push_back("play " + s.animfile);
        return 0;
    }
    int waitForClose() override
    {
        calls.push_back("wait");
        return 0;
    }
};

SaverCommand commandOf(SaverMode mode, bool windowValid = true)
{
    SaverCommand c;
    c.mode = mode;
    c.windowValid = windowValid;
    c.window = windowValid ? 42 : 0;
    return c;
}

const std::string missing = std::string("message ") + fileMissingMessage + "\r\n";
const std::string winit = std::string("message ") + winitMessage + "\r\n";

} // namespace

TEST(SaverSession, EachModeAndSettingsState)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "a.md7", "x");
    const std::string good = dir / "a.md7";
    enum Stored { none, unreadable, folder, readable };
    using V = std::vector<std::string>;
    const struct {
        SaverMode mode;
        Stored stored;
        bool windowValid, windowFails;
        int status;
        V calls;
    } cases[] = {
        // No "File Name": the settings dialog instead, and the end.
        {SaverMode::saver, none, true, false, 0, {"lock", "dialog"}},
        {SaverMode::saver, unreadable, true, false, 0, {"lock", missing, "dialog"}},
        {SaverMode::saver, folder, true, false, 0, {"lock", missing, "dialog"}},
        {SaverMode::saver, readable, true, false, 0, {"lock", "window", "play " + good}},
        {SaverMode::saver, readable, true, true, 1, {"lock", "window", winit}},
        {SaverMode::settings, none, true, false, 0, {"lock", "dialog"}},
        {SaverMode::settings, unreadable, true, false, 0, {"lock", missing, "dialog"}},
        {SaverMode::settings, readable, true, false, 0, {"lock", "dialog"}},
        // Inside another window: never a modal box.
        {SaverMode::preview, none, true, false, 0, {"lock", "window", std::string("shown ") + fileMissingMessage, "wait"}},
        {SaverMode::preview, unreadable, true, false, 0, {"lock", "window", std::string("shown ") + fileMissingMessage, "wait"}},
        {SaverMode::preview, readable, true, false, 0, {"lock", "window", "play " + good}},
        {SaverMode::preview, readable, false, false, 1, {"lock", std::string("shown ") + winitMessage}},
        {SaverMode::xscreensaver, readable, true, true, 1, {"lock", "window", std::string("shown ") + winitMessage}},
        {SaverMode::xscreensaver, folder, true, false, 0, {"lock", "window", std::string("shown ") + fileMissingMessage, "wait"}},
    };
    for (const auto& c : cases) {
        FakeHost host;
        host.windowFails = c.windowFails;
        host.dialogOk = false;
        if (c.stored == unreadable) host.settings.values["File Name"] = dir / "gone.md7";
        if (c.stored == folder) host.settings.values["File Name"] = dir.str();
        if (c.stored == readable) host.settings.values["File Name"] = good;
        const auto before = host.settings.values;
        EXPECT_EQ(runSaverSession(commandOf(c.mode, c.windowValid), host), c.status) << int(c.mode) << " " << c.stored;
        EXPECT_EQ(host.calls, c.calls) << int(c.mode) << " " << c.stored;
        EXPECT_EQ(host.settings.values, before) << "nothing is written without OK";
    }
}

TEST(SaverSession, ASecondCopyEndsAtOnce)
{
    for (SaverMode mode : {SaverMode::saver, SaverMode::preview, SaverMode::settings}) {
        FakeHost host;
        host.locked = true;
        EXPECT_EQ(runSaverSession(commandOf(mode), host), 0);
        EXPECT_EQ(host.calls, std::vector<std::string>{"lock"});
    }
}

TEST(SaverSession, OkInTheDialogWritesTheFiveValuesAndTheNextStartPlays)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "a.md7", "x");
    FakeHost host;
    host.chosenFile = dir / "a.md7";
    EXPECT_EQ(runSaverSession(commandOf(SaverMode::saver), host), 0);
    EXPECT_EQ(host.settings.values.size(), 5u);
    EXPECT_EQ(host.settings.values["File Name"], dir / "a.md7");
    EXPECT_EQ(host.settings.values["Speed"], "80");
    host.calls.clear();
    EXPECT_EQ(runSaverSession(commandOf(SaverMode::saver), host), 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"lock", "window", "play " + dir / "a.md7"}));
}
