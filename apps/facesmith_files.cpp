#include "facesmith_files.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "platform/qt_file_dialog.h"
#include "platform/qt_font.h"
#include "platform/scripted_dialogs.h"

namespace quillo {

const FileFilter dxfFileFilters[2] = {{"ＤＸＦ (*.DXF)", "*.DXF"}, {"モデル (*.MD4)", "*.md4"}};

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

bool run(QFileDialog& dialog, int selectedFilter, std::string& path)
{
    dialog.setObjectName("FileDialog");
    dialog.setFont(uiFont(9));
    // The widget dialog behaves the same on every desktop and under the
    // offscreen platform, where tests drive it.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // The labels already name their patterns; Qt would repeat them.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters;
    for (const FileFilter& f : dxfFileFilters) filters << qtNameFilter(f);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[selectedFilter]);
    if (!path.empty()) {
        QFileInfo start(QString::fromUtf8(path.data(), qsizetype(path.size())));
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return false;
    const QByteArray chosen = files.first().toUtf8();
    path.assign(chosen.constData(), size_t(chosen.size()));
    return true;
}

} // namespace

bool QtDxfFileChooser::chooseInput(std::string& path)
{
    QFileDialog dialog(owner_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog, 0, path);
}

bool QtDxfFileChooser::chooseOutput(std::string& path)
{
    SaveDialog dialog(owner_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog, 1, path);
}

// The scripted dialogs ignore the file type; both answers are "file" or "cancel".
bool ScriptedDxfFileChooser::chooseInput(std::string& path) { return dialogs_.chooseFile(fileModel, path); }
bool ScriptedDxfFileChooser::chooseOutput(std::string& path) { return dialogs_.chooseSaveFile(fileModel, path); }

} // namespace quillo
