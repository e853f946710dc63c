#include "saver/saver_command_line.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillo;

namespace {

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

} // namespace

TEST(SaverCommandLine, TheModeTable)
{
    const struct {
        const char* line;
        const char* xwindow; // XSCREENSAVER_WINDOW, null when unset
        SaverMode mode;
        uint64_t window;
        bool valid;
    } cases[] = {
        {"", nullptr, SaverMode::settings, 0, true},
        {"/s", nullptr, SaverMode::saver, 0, true},
        {"-s", nullptr, SaverMode::saver, 0, true},
        {"/S", nullptr, SaverMode::saver, 0, true},
        {"xs", nullptr, SaverMode::saver, 0, true}, // the second character decides
        {"s", nullptr, SaverMode::settings, 0, true},
        {"/p 1234", nullptr, SaverMode::preview, 1234, true},
        {"-p 0x2a", nullptr, SaverMode::preview, 42, true},
        {"/p:77", nullptr, SaverMode::preview, 77, true},
        {"-p", nullptr, SaverMode::preview, 0, false},
        {"-p banana", nullptr, SaverMode::preview, 0, false},
        {"/c", nullptr, SaverMode::settings, 0, true},
        {"/c:1234", nullptr, SaverMode::settings, 0, true},
        {"/a", nullptr, SaverMode::settings, 0, true},
        {"-root", "0x1c00007", SaverMode::xscreensaver, 0x1c00007, true},
        {"-root", "29360135", SaverMode::xscreensaver, 29360135, true},
        {"-root", nullptr, SaverMode::saver, 0, true},
        {"-root", "junk", SaverMode::saver, 0, true},
        {"-root -fps", "0x10", SaverMode::xscreensaver, 16, true},
        {"-window-id 0x1c00007", nullptr, SaverMode::xscreensaver, 0x1c00007, true},
        {"-window-id", nullptr, SaverMode::xscreensaver, 0, false},
        {"-fps -visual default -delay 3 -install -s", nullptr, SaverMode::saver, 0, true},
        {"-s --script x.scr", nullptr, SaverMode::saver, 0, true},
        {"--help", nullptr, SaverMode::help, 0, true},
        {"--render out.png a.md7", nullptr, SaverMode::render, 0, true},
    };
    for (const auto& c : cases) {
        const SaverCommand got = parseSaverCommandLine(words(c.line), c.xwindow);
        EXPECT_EQ(got.mode, c.mode) << c.line;
        EXPECT_EQ(got.window, c.window) << c.line;
        EXPECT_EQ(got.windowValid, c.valid) << c.line;
    }
    EXPECT_FALSE(parseSaverCommandLine(words("-root"), nullptr).note.empty()); // said on standard error
    EXPECT_EQ(parseSaverCommandLine(words("-c --script set.scr"), nullptr).scriptPath, "set.scr");
    EXPECT_EQ(parseSaverCommandLine(words("--render o.png a.md7 --steps 3"), nullptr).renderArgs,
              (std::vector<std::string>{"o.png", "a.md7", "--steps", "3"}));
}

TEST(SaverCommandLine, WindowIds)
{
    uint64_t id = 5;
    for (const char* bad : {"", "0", "-3", "0x", "12a", "0xfffffffffffffffff", " 1"})
        EXPECT_FALSE(parseWindowId(bad, id)) << bad;
    EXPECT_EQ(id, 5u);
    ASSERT_TRUE(parseWindowId("0XFF", id));
    EXPECT_EQ(id, 255u);
}
