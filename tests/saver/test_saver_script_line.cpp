#include "saver/saver_script_line.h"

#include <gtest/gtest.h>

using namespace quillo;

namespace {

constexpr SaverScriptPart dialog = SaverScriptPart::dialog;
constexpr SaverScriptPart window = SaverScriptPart::window;

} // namespace

TEST(SaverScriptLine, ReadsWhatEachVerbNames)
{
    const struct {
        SaverScriptPart part;
        ScriptWords words;
        int control, number, y;
        ScrollRequest scroll;
        std::string text, name;
    } cases[] = {
        {dialog, {"cmd", "100"}, idOk, 0, 0, ScrollRequest::other, "", ""},
        {dialog, {"cmd", "130"}, idBrowse, 0, 0, ScrollRequest::other, "", ""},
        {dialog, {"set", "120", "a b.md7"}, idFile, 0, 0, ScrollRequest::other, "a b.md7", ""},
        {dialog, {"check", "150", "1"}, idColours256, 1, 0, ScrollRequest::other, "", ""},
        {dialog, {"check", "160", "0"}, idFixed640, 0, 0, ScrollRequest::other, "", ""},
        {dialog, {"scroll", "pageleft"}, 0, 0, 0, ScrollRequest::pageLeft, "", ""},
        {dialog, {"scroll", "lineright"}, 0, 0, 0, ScrollRequest::lineRight, "", ""},
        {dialog, {"scroll", "position", "60"}, 0, 60, 0, ScrollRequest::thumbPosition, "", ""},
        {dialog, {"scroll", "track", "-3"}, 0, -3, 0, ScrollRequest::thumbTrack, "", ""},
        {dialog, {"verify", "title", "x"}, 0, 0, 0, ScrollRequest::other, "x", ""},
        {dialog, {"verify", "140", "80"}, idSpeed, 0, 0, ScrollRequest::other, "80", ""},
        {dialog, {"verify", "110", ""}, idCancel, 0, 0, ScrollRequest::other, "", ""},
        {dialog, {"state"}, 0, 0, 0, ScrollRequest::other, "", ""},
        {window, {"mouse", "500", "-1"}, 0, 500, -1, ScrollRequest::other, "", ""},
        {window, {"click", "3", "4"}, 0, 3, 4, ScrollRequest::other, "", ""},
        {window, {"key", "a"}, 0, 0, 0, ScrollRequest::other, "a", ""},
        {window, {"wait", "0"}, 0, 0, 0, ScrollRequest::other, "", ""},
        {window, {"wait", "2147483647"}, 0, 2147483647, 0, ScrollRequest::other, "", ""},
        {window, {"render", "f.png"}, 0, 0, 0, ScrollRequest::other, "f.png", ""},
        {window, {"verify", "steps", "7"}, 0, 0, 0, ScrollRequest::other, "7", "steps"},
        {window, {"verify", "clock", "0"}, 0, 0, 0, ScrollRequest::other, "0", "clock"},
        {window, {"state"}, 0, 0, 0, ScrollRequest::other, "", ""},
    };
    for (const auto& c : cases) {
        SaverLine line;
        std::string why;
        ASSERT_TRUE(readSaverLine(c.part, c.words, line, why)) << c.words[0] << ": " << why;
        EXPECT_EQ(line.verb, c.words[0]);
        EXPECT_EQ(line.control, c.control) << c.words[0];
        EXPECT_EQ(line.number, c.number) << c.words[0];
        EXPECT_EQ(line.y, c.y) << c.words[0];
        EXPECT_EQ(line.scroll, c.scroll) << c.words[0];
        EXPECT_EQ(line.text, c.text) << c.words[0];
        EXPECT_EQ(line.name, c.name) << c.words[0];
    }
}

TEST(SaverScriptLine, RefusesWithTheReason)
{
    const struct {
        SaverScriptPart part;
        ScriptWords words;
        const char* why;
    } cases[] = {
        {dialog, {"cmd", "140"}, "no button 140 (100, 110 or 130)"},
        {dialog, {"cmd", "x"}, "\"x\" is not a whole number"},
        {dialog, {"cmd"}, "cmd takes 1 arguments"},
        {dialog, {"cmd", "100", "110"}, "cmd takes 1 arguments"},
        {dialog, {"set", "130", "a"}, "only the file field 120 takes a text"},
        {dialog, {"check", "140", "1"}, "check takes 150 or 160 and 0 or 1"},
        {dialog, {"check", "150", "2"}, "check takes 150 or 160 and 0 or 1"},
        {dialog, {"scroll", "up"}, "unknown scroll request up"},
        {dialog, {"scroll", "track"}, "track needs a position"},
        {dialog, {"scroll", "position", "9x"}, "\"9x\" is not a whole number"},
        {dialog, {"scroll", "a", "b", "c"}, "scroll takes 1 to 2 arguments"},
        {dialog, {"verify", "100x", "OK"}, "no control 100x"},
        {dialog, {"verify", "0100", "OK"}, "no control 0100"},
        {dialog, {"verify", "170", "OK"}, "no control 170"},
        {dialog, {"state", "x"}, "state takes 0 arguments"},
        {dialog, {"mouse", "1", "2"}, "unknown verb \"mouse\""},
        {window, {"cmd", "100"}, "unknown verb \"cmd\""},
        {window, {"mouse", "1", "y"}, "\"y\" is not a whole number"},
        {window, {"click", "1"}, "click takes 2 arguments"},
        {window, {"wait", "-1"}, "wait needs milliseconds from 0"},
        {window, {"wait", "99999999999"}, "\"99999999999\" is not a whole number"},
        {window, {"verify", "speed", "1"}, "no state speed (running, failed, finished, steps, clock)"},
        {window, {"render"}, "render takes 1 arguments"},
        {window, {}, "no verb"},
    };
    for (const auto& c : cases) {
        SaverLine line;
        std::string why;
        EXPECT_FALSE(readSaverLine(c.part, c.words, line, why)) << c.why;
        EXPECT_EQ(why, c.why);
    }
}
