#include "facesmith_files.h"

#include "platform/qt_file_dialog.h"
#include "platform/scripted_dialogs.h"

namespace quillo {

const FileFilter dxfFileFilters[2] = {{"ＤＸＦ (*.DXF)", "*.DXF"}, {"モデル (*.MD4)", "*.md4"}};

bool QtDxfFileChooser::chooseInput(std::string& path)
{
    return openFileDialog(owner_, dxfFileFilters, 2, 0, path);
}

bool QtDxfFileChooser::chooseOutput(std::string& path)
{
    return saveFileDialog(owner_, dxfFileFilters, 2, 1, path);
}

// The scripted dialogs ignore the file type; both answers are "file" or "cancel".
bool ScriptedDxfFileChooser::chooseInput(std::string& path) { return dialogs_.chooseFile(fileModel, path); }
bool ScriptedDxfFileChooser::chooseOutput(std::string& path) { return dialogs_.chooseSaveFile(fileModel, path); }

} // namespace quillo
