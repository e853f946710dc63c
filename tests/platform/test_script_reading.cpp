// Reading --script files apart from running them: the line splitter, the
// shared reader (readScript, ScriptRunner::check) and the converter's
// Qt-free line reader.
#include <gtest/gtest.h>

#include "facesmith_controls.h"
#include "facesmith_script_line.h"
#include "platform/script_runner.h"

using namespace quillo;

TEST(ScriptReading, LinesSplitIntoWords)
{
    const struct {
        const char* line;
        bool ok;
        std::vector<std::string> words;
    } cases[] = {
        {"cmd  105\t# the rest is a comment", true, {"cmd", "105"}},
        {"set 103 \"a b\" c#d", true, {"set", "103", "a b", "c#d"}},
        {"say \"q\\\"uote\\\\\" \"\"", true, {"say", "q\"uote\\", ""}},
        {"say \"a\\nb\"\r", true, {"say", "a\\nb"}},
        {"   # only a comment", true, {}},
        {"say \"open", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words{"left over"};
        EXPECT_EQ(splitScriptLine(c.line, words), c.ok) << c.line;
        if (c.ok) {
            EXPECT_EQ(words, c.words) << c.line;
        }
    }
}

// check() reads like run() but runs no verb; both name the first bad line.
TEST(ScriptReading, CheckReadsEveryLineAndRunsNothing)
{
    const struct {
        const char* script;
        const char* error; // "" when the script reads
    } cases[] = {
        {"go 1\n# note\n\nstop\nanswer select 2\ngo 1 2\n", ""},
        {"stop\ngo\n", "line 2: go takes 1 to 2 arguments"},
        {"go 1 2 3", "line 1: go takes 1 to 2 arguments"},
        {"stop x\n", "line 1: stop takes 0 arguments"},
        {"stop\n\nfly 3\n", "line 3: unknown verb \"fly\""},
        {"go \"open\n", "line 1: a quote is not closed"},
        {"expect box 1\n", "line 1: expect takes: message TEXT"},
        {"stop\nanswer\n", "line 2: an answer needs a kind"},
        {"answer dance 1\n", "line 1: unknown answer kind \"dance\""},
    };
    for (const auto& c : cases) {
        ScriptedDialogs answers;
        ScriptRunner reader(answers);
        int ran = 0;
        reader.addVerb({"go", 1, 2, false, [&](const ScriptWords&, std::string&) { return ++ran, true; }});
        reader.addVerb({"stop", 0, 0, false, [&](const ScriptWords&, std::string&) { return ++ran, true; }});
        EXPECT_EQ(reader.check(c.script), *c.error == '\0') << c.script;
        EXPECT_EQ(reader.error(), c.error) << c.script;
        EXPECT_EQ(ran, 0) << c.script;
    }
}

TEST(ScriptReading, AnAnswerLeftOverNamesTheLastLine)
{
    for (const char* script : {"answer select 0\nstop\n", "answer select 0\nstop"}) {
        ScriptedDialogs answers;
        ScriptRunner runner(answers);
        runner.addVerb({"stop", 0, 0, false, [](const ScriptWords&, std::string&) { return true; }});
        EXPECT_FALSE(runner.run(script));
        EXPECT_EQ(runner.error(), "line 2: the answer \"select\" was not used by the end");
    }
}

TEST(ScriptReading, ConverterLines)
{
    const struct {
        std::vector<std::string> words;
        int control;
        const char* text; // what was read, or why the line is refused
        bool ok;
    } cases[] = {
        {{"cmd", "100"}, dmainConvert, "100", true},
        {{"cmd", "0113"}, dmainHelp, "0113", true},
        {{"cmd", "105"}, dmainChooseInput, "105", true},
        {{"cmd", "102"}, 0, "cmd takes a button: 100, 101, 105, 106, 107-111, 112 or 113", false},
        {{"cmd", "114"}, 0, "cmd takes a button: 100, 101, 105, 106, 107-111, 112 or 113", false},
        {{"cmd", "10000"}, 0, "cmd takes a button: 100, 101, 105, 106, 107-111, 112 or 113", false},
        {{"key", "Escape"}, 0, "Escape", true},
        {{"key", "Tab"}, 0, "key takes Return, Enter or Escape, not \"Tab\"", false},
        {{"key"}, 0, "key takes one key: Return, Enter or Escape", false},
        {{"set", "104", "1.6"}, dmainModelSize, "1.6", true},
        {{"set", "105", "x"}, 0, "set takes an edit (102, 103 or 104) and a text", false},
        {{"check", "107", "on"}, dmainGroupByColour, "on", true},
        {{"check", "111", "off"}, dmainReverse, "off", true},
        {{"check", "112", "on"}, 0, "check takes a box (107-111) and on or off", false},
        {{"check", "109", "yes"}, 0, "check takes a box (107-111) and on or off", false},
        {{"verify", "102", ""}, dmainInputPath, "", true},
        {{"verify", "106", "x"}, 0, "verify takes an edit (102-104) or a box (107-111) and what it must show", false},
        {{"state"}, 0, "", true},
        {{"state", "now"}, 0, "state takes nothing", false},
        {{"press", "100"}, 0, "unknown verb \"press\"", false},
    };
    for (const auto& c : cases) {
        FacesmithLine line;
        std::string why;
        const std::string what = c.words[0] + (c.words.size() > 1 ? " " + c.words[1] : "");
        ASSERT_EQ(readFacesmithLine(c.words, line, why), c.ok) << what << ": " << why;
        if (c.ok) {
            EXPECT_EQ(line.verb, c.words[0]) << what;
            EXPECT_EQ(line.control, c.control) << what;
            EXPECT_EQ(line.text, c.text) << what;
        } else {
            EXPECT_EQ(why, c.text) << what;
        }
    }
}
