#include "qt_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "qt_font.h"
#include "qt_text.h"

namespace quillo {

namespace {

// A save dialog that stays open while the chosen folder does not exist.
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            QFileInfo chosen(files.first());
            if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) return;
        }
        QFileDialog::accept();
    }
};

bool run(QFileDialog& dialog, const QStringList& filters, int selected, std::string& path)
{
    dialog.setObjectName("FileDialog");
    dialog.setFont(uiFont(9));
    // The widget dialog behaves the same on every desktop and under the
    // offscreen platform, where tests drive it.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(filters);
    if (selected >= 0 && selected < filters.size()) dialog.selectNameFilter(filters[selected]);
    if (!path.empty()) {
        QFileInfo start(toDisplay(path));
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return false;
    QByteArray chosen = files.first().toUtf8();
    path.assign(chosen.constData(), size_t(chosen.size()));
    return true;
}

int filterIndex(FileType type)
{
    int n = int(type);
    return n >= 0 && n < 7 ? n : 0;
}

} // namespace

QString qtNameFilter(const FileFilter& filter)
{
    return QString::fromUtf8(filter.label) + " (" + QString::fromUtf8(filter.pattern) + ")";
}

QStringList qtNameFilters()
{
    QStringList filters;
    for (const FileFilter& f : fileFilters) filters << qtNameFilter(f);
    return filters;
}

bool openFileDialog(QWidget* owner, FileType type, std::string& path)
{
    if (type == fileExchange) return openFileDialog(owner, exchangeFilters, 2, 0, path);
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, qtNameFilters(), filterIndex(type), path);
}

bool openFileDialog(QWidget* owner, const FileFilter& filter, std::string& path)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, QStringList{qtNameFilter(filter)}, 0, path);
}

bool saveFileDialog(QWidget* owner, FileType type, std::string& path)
{
    if (type == fileExchange) return saveFileDialog(owner, exchangeFilters, 2, 0, path);
    SaveDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog, qtNameFilters(), filterIndex(type), path);
}

namespace {
QStringList filterList(const FileFilter* filters, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i) list << qtNameFilter(filters[i]);
    return list;
}
} // namespace

bool openFileDialog(QWidget* owner, const FileFilter* filters, int count, int selected, std::string& path)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, filterList(filters, count), selected, path);
}

bool saveFileDialog(QWidget* owner, const FileFilter* filters, int count, int selected, std::string& path)
{
    SaveDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog, filterList(filters, count), selected, path);
}

} // namespace quillo
