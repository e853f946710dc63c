#include "dxfconv/dxf_command_line.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace quillo;

namespace {

FacesmithCommand parse(std::vector<std::string> args) { return parseFacesmithArguments(args); }

} // namespace

TEST(DxfCommandLine, ASinglePathOrNothingMeansTheWindow)
{
    FacesmithCommand c = parse({"house.dxf"});
    EXPECT_EQ(c.kind, FacesmithCommand::window);
    EXPECT_EQ(c.options.inputPath, "house.dxf");
    EXPECT_EQ(parse({}).kind, FacesmithCommand::window);
}

TEST(DxfCommandLine, AnOptionOrTwoPathsMeanAConversion)
{
    FacesmithCommand c = parse({"in.dxf", "out.md4"});
    ASSERT_EQ(c.kind, FacesmithCommand::convert);
    EXPECT_EQ(c.options.inputPath, "in.dxf");
    EXPECT_EQ(c.options.outputPath, "out.md4");
    EXPECT_EQ(c.options.modelSize, 1.6f);
    EXPECT_FALSE(c.options.fast || c.options.bothSides || c.options.reverse || c.options.groupByColour ||
                 c.options.allWhite);

    c = parse({"--fast", "my.plans/house.dxf"});
    ASSERT_EQ(c.kind, FacesmithCommand::convert);
    EXPECT_TRUE(c.options.fast);
    EXPECT_EQ(c.options.outputPath, "my.plans/house.MD4");

    c = parse({"--size", "16", "--both-sides", "a.dxf", "--reverse", "--group-by-colour", "--all-white"});
    ASSERT_EQ(c.kind, FacesmithCommand::convert);
    EXPECT_EQ(c.options.modelSize, 16.0f);
    EXPECT_TRUE(c.options.bothSides && c.options.reverse && c.options.groupByColour && c.options.allWhite);
    EXPECT_FALSE(c.options.fast);
    EXPECT_EQ(c.options.outputPath, "a.MD4");

    c = parse({"--size=0.25", "--", "-odd.dxf"});
    ASSERT_EQ(c.kind, FacesmithCommand::convert);
    EXPECT_EQ(c.options.modelSize, 0.25f);
    EXPECT_EQ(c.options.inputPath, "-odd.dxf");

    c = parse({"--size", "big", "a.dxf"}); // refused later by the conversion, with its message
    ASSERT_EQ(c.kind, FacesmithCommand::convert);
    EXPECT_TRUE(std::isnan(c.options.modelSize));
}

TEST(DxfCommandLine, MistakesAreUsageErrors)
{
    EXPECT_EQ(parse({"--help"}).kind, FacesmithCommand::help);
    EXPECT_EQ(parse({"a.dxf", "-h"}).kind, FacesmithCommand::help);
    FacesmithCommand c = parse({"--colour", "a.dxf"});
    EXPECT_EQ(c.kind, FacesmithCommand::usageError);
    EXPECT_EQ(c.error, "unknown option --colour");
    EXPECT_EQ(parse({"a.dxf", "--size"}).kind, FacesmithCommand::usageError);
    EXPECT_EQ(parse({"--fast"}).kind, FacesmithCommand::usageError);
    EXPECT_EQ(parse({"a.dxf", "b.md4", "c.md4"}).kind, FacesmithCommand::usageError);
    EXPECT_NE(facesmithUsage().find("--group-by-colour"), std::string::npos);
}
