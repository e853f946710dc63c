#include "saver/saver_dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "../support/temp_dir.h"

using namespace quillo;

namespace {

// Answers "参照" from a list and keeps the messages.
struct FakeUser : SaverDialogUser {
    std::vector<std::string> files; // empty: "参照" is cancelled
    std::vector<std::string> messages;
    bool chooseAnimation(std::string& path) override
    {
        if (files.empty()) return false;
        path = files.front();
        files.erase(files.begin());
        return true;
    }
    void message(const std::string& text) override { messages.push_back(text); }
};

} // namespace

TEST(SaverDialog, OpensWithTheSettings)
{
    const struct {
        int width, interval;
        bool eightbit;
        int position;
    } cases[] = {{1024, 12, false, 80}, {640, 16, true, 62}, {1024, 1000, false, 1}, {640, 2000, false, 1}};
    for (const auto& c : cases) {
        SaverSettings s;
        s.animfile = "x.md7";
        s.modewidth = c.width;
        s.interval = c.interval;
        s.eightbit = c.eightbit;
        const SaverDialog d(s);
        EXPECT_EQ(d.file, "x.md7");
        EXPECT_EQ(d.fixed640, c.width == 640);
        EXPECT_EQ(d.colours256, c.eightbit);
        EXPECT_EQ(d.bar.position, c.position) << c.interval;
        EXPECT_EQ(d.result(), SaverDialog::Result::open);
    }
}

TEST(SaverDialog, ScrollRequestsMoveTheBarWithinItsThumbRange)
{
    const struct {
        int from;
        ScrollRequest request;
        int thumb, to;
    } cases[] = {
        {40, ScrollRequest::lineLeft, 0, 39},      {40, ScrollRequest::lineRight, 0, 41},
        {40, ScrollRequest::pageLeft, 0, 35},      {40, ScrollRequest::pageRight, 0, 45},
        {78, ScrollRequest::pageRight, 0, 80},     {2, ScrollRequest::pageLeft, 0, 0},
        {40, ScrollRequest::thumbTrack, 70, 70},   {40, ScrollRequest::thumbPosition, 99, 80},
        {40, ScrollRequest::other, 70, 40},
    };
    for (const auto& c : cases) {
        SaverDialog d{SaverSettings{}};
        d.bar.setThumb(c.from);
        d.scroll(c.request, c.thumb);
        EXPECT_EQ(d.bar.position, c.to) << c.from << " " << int(c.request);
    }
}

TEST(SaverDialog, BrowseOkAndCancel)
{
    quillo::test::TempDir dir;
    quillo::test::writeText(dir / "a.md7", "x");
    FakeUser user;
    SaverSettings start;
    start.zbuffer = false; // no control: kept as it was
    SaverDialog d(start);
    d.command(idBrowse, user); // cancelled: the field stays
    EXPECT_EQ(d.file, "");
    d.command(idOk, user);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0], "指定されたファイル  が見つかりません\r\n");
    EXPECT_EQ(withoutCrLf(user.messages[0]), "指定されたファイル  が見つかりません");
    EXPECT_EQ(d.result(), SaverDialog::Result::open);

    user.files = {dir.str()}; // a folder opens with fopen on Linux, but is no file
    d.command(idBrowse, user);
    d.command(idOk, user);
    EXPECT_EQ(user.messages.back(), "指定されたファイル " + dir.str() + " が見つかりません\r\n");
    EXPECT_EQ(d.result(), SaverDialog::Result::open);

    user.files = {dir / "a.md7"};
    d.command(idBrowse, user);
    d.fixed640 = true;
    d.colours256 = true;
    d.scroll(ScrollRequest::thumbPosition, 60);
    d.command(999, user); // not a button: nothing
    d.command(idOk, user);
    ASSERT_EQ(d.result(), SaverDialog::Result::accepted);
    EXPECT_EQ(d.settings().animfile, dir / "a.md7");
    EXPECT_EQ(d.settings().modewidth, 640);
    EXPECT_EQ(d.settings().interval, 16);
    EXPECT_TRUE(d.settings().eightbit);
    EXPECT_FALSE(d.settings().zbuffer);

    SaverDialog cancelled{SaverSettings{}};
    cancelled.command(idCancel, user);
    EXPECT_EQ(cancelled.result(), SaverDialog::Result::cancelled);
}
