// The programs' help pages: HTML files shipped in docs/, found where they
// are installed beside the program or in the source tree, opened in the
// desktop browser.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace quillo {

// The full path of help page `page` ("quillomodel.html") for the program
// running, or empty.
QString findHelpPage(const QString& page);
// The same for a program in `programDir`: where it is installed (the pages
// in ../share/doc/quillo/), in a build folder, or the source tree.
QString findHelpPageFrom(const QString& programDir, const QString& page);

// How a page is opened: the desktop browser, or (in scripts and tests)
// something that only reports it. True when it opened.
using HelpOpener = std::function<bool(const QUrl&)>;
HelpOpener desktopHelpOpener();

// Finds and opens `page`; a page that is missing or does not open is told
// to the user ("ヘルプファイル … が見つかりません" / "… が開けません").
void openHelpPage(const QString& page, const HelpOpener& open);

} // namespace quillo
