#include "help_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

#include "model/messages.h"
#include "qt_text.h"

namespace quillo {

QString findHelpPage(const QString& page)
{
    const QString app = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {app + "/../docs/" + page, app + "/../../docs/" + page,
                                     app + "/../share/doc/quillo/" + page, QString(QUILLO_DOCS_DIR) + "/" + page}) {
        const QFileInfo file(candidate);
        if (file.isFile()) return file.canonicalFilePath();
    }
    return QString();
}

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
