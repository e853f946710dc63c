// Import and export of other programs' model files (glTF, OBJ).
#include "model_editor.h"

#include "exchange/exchange_text.h"
#include "exchange/gltf_reader.h"
#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "exchange/texture_import.h"
#include "model/md4_file.h"

namespace quillo {

bool ModelEditor::importCommand()
{
    std::string path;
    if (!dialogs_.chooseFile(fileExchange, path)) return false;
    return importFile(path);
}

bool ModelEditor::exportCommand()
{
    std::string path;
    if (!dialogs_.chooseSaveFile(fileExchange, path)) return false;
    exportFile(path);
    return false;
}

bool ModelEditor::importFile(const std::string& path)
{
    ModelDocument loaded;
    std::string why;
    bool ok = false;
    // The model has no name yet: pattern files go beside the imported file (IN_<object>_<texture>.bmp).
    TextureImport textures;
    textures.stem = importTextureStem(path);
    if (endsWithNoCase(path, ".gltf") || endsWithNoCase(path, ".glb")) ok = readGltf(loaded, path, why, nullptr, &textures);
    else if (endsWithNoCase(path, ".obj")) ok = readObj(loaded, path, why, nullptr, &textures);
    if (!ok) {
        errorbox(formatMessage("ファイル %s をインポートできません", path.c_str()));
        return false;
    }
    if (!writeImportFiles(textures.files, why)) {
        errorbox(formatMessage("ファイル %s に書き込めません", why.c_str()));
        return false;
    }
    adopt(loaded);
    state.filename.clear(); // not saved yet: 上書き保存 asks for a name
    savedGeneration_ = neverSaved;
    return true;
}

bool ModelEditor::exportFile(const std::string& path)
{
    std::string why;
    bool ok = false;
    if (endsWithNoCase(path, ".gltf") || endsWithNoCase(path, ".glb")) ok = writeGltf(document, path, png_, why);
    else if (endsWithNoCase(path, ".obj")) ok = writeObj(document, path, png_, why);
    if (!ok) errorbox(formatMessage("ファイル %s に書き込めません", path.c_str()));
    return ok;
}

} // namespace quillo
