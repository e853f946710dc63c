#include "platform/help_page.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_dir.h"

using namespace quillo;
namespace fs = std::filesystem;

namespace {

// A page written at `at` (relative to a fresh folder), looked up by a
// program in `program`; `found` is where it must come from ("" for none,
// "source" for the tree this test was built from).
struct Layout {
    const char* name;
    std::vector<std::string> pagesAt;
    std::string program;
    std::string page;
    std::string found;
};

void PrintTo(const Layout& l, std::ostream* os) { *os << l.name; }

const std::string installedDocs = std::string("usr/") + QUILLO_TEST_DOCDIR;
const std::string installedBin = std::string("usr/") + QUILLO_TEST_BINDIR;

class HelpPageLookup : public testing::TestWithParam<Layout> {};

TEST_P(HelpPageLookup, FindsThePageWhereItBelongs)
{
    const Layout& l = GetParam();
    test::TempDir root;
    for (const std::string& folder : l.pagesAt) {
        fs::create_directories(root / folder);
        test::writeText(root / (folder + "/" + l.page), "<html></html>");
    }
    fs::create_directories(root / l.program);

    const QString found = findHelpPageFrom(QString::fromStdString(root / l.program), QString::fromStdString(l.page));
    if (l.found.empty()) {
        EXPECT_TRUE(found.isEmpty()) << found.toStdString();
    } else if (l.found == "source") {
        EXPECT_EQ(found, QFileInfo(QString(QUILLO_SOURCE_DIR) + "/docs/" + QString::fromStdString(l.page)).canonicalFilePath());
    } else {
        EXPECT_EQ(found, QFileInfo(QString::fromStdString(root / (l.found + "/" + l.page))).canonicalFilePath());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, HelpPageLookup,
    testing::Values(
        Layout{"Installed", {installedDocs}, installedBin, "quillo_x.html", installedDocs},
        // Installed under /usr, a stray docs/ in the prefix does not win.
        Layout{"InstalledBeforeDocsBeside", {"usr/docs", installedDocs}, installedBin, "quillo_x.html", installedDocs},
        Layout{"BuildFolderInSourceTree", {"src/docs"}, "src/build/apps", "quillo_x.html", "src/docs"},
        Layout{"BuildFolderAtTop", {"src/docs"}, "src/build", "quillo_x.html", "src/docs"},
        // The installed copy wins over the tree the program was built from.
        Layout{"InstalledBeforeBuildTree", {installedDocs}, installedBin, "facesmith.html", installedDocs},
        Layout{"BuildTreeWhenNotInstalled", {}, installedBin, "facesmith.html", "source"},
        Layout{"MissingEverywhere", {}, installedBin, "quillo_no_such_page.html", ""},
        Layout{"OtherFolderNotSearched", {"usr/share/doc/other"}, installedBin, "quillo_x.html", ""}),
    [](const testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

TEST(HelpPageLookup, AFolderNamedLikeThePageIsNoPage)
{
    test::TempDir root;
    fs::create_directories(root / (installedDocs + "/quillo_x.html"));
    fs::create_directories(root / installedBin);
    EXPECT_TRUE(findHelpPageFrom(QString::fromStdString(root / installedBin), "quillo_x.html").isEmpty());
}

} // namespace
