#include "help_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

#include "model/messages.h"
#include "qt_text.h"

namespace quillo {

QString findHelpPageFrom(const QString& programDir, const QString& page)
{
    // Installed pages first (bin/ -> share/doc/quillo/), then the source
    // tree above a build folder (build/apps/), then the tree the program
    // was built from.
    for (const QString& folder : {programDir + "/" + QUILLO_DOCS_FROM_PROGRAM, programDir + "/../docs",
                                  programDir + "/../../docs", QString(QUILLO_DOCS_DIR)}) {
        const QFileInfo file(folder + "/" + page);
        if (file.isFile()) return file.canonicalFilePath();
    }
    return QString();
}

QString findHelpPage(const QString& page) { return findHelpPageFrom(QCoreApplication::applicationDirPath(), page); }

HelpOpener desktopHelpOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void openHelpPage(const QString& page, const HelpOpener& open)
{
    const QString path = findHelpPage(page);
    if (path.isEmpty()) {
        errorbox(formatMessage("ヘルプファイル %s が見つかりません", fromQt(page).c_str()));
        return;
    }
    if (!open(QUrl::fromLocalFile(path))) errorbox(formatMessage("ヘルプファイル %s が開けません", fromQt(path).c_str()));
}

} // namespace quillo
