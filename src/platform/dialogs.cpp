#include "dialogs.h"

namespace quillo {

const FileFilter fileFilters[7] = {
    {"モデル (*.MD4)", "*.md4"},      {"Fモデル (*.MD5)", "*.md5"}, {"BMP files(*.BMP)", "*.bmp"},
    {"動作 (*.MD6)", "*.md6"},        {"アニメ (*.MD7)", "*.md7"},  {"サウンド (*.WAV)", "*.wav"},
    {"ＭＩＤＩ (*.MID)", "*.mid"},
};

const FileFilter exchangeFilters[2] = {{"glTF (*.GLTF *.GLB)", "*.gltf *.glb"}, {"OBJ (*.OBJ)", "*.obj"}};

int selectbox(Dialogs& dialogs, const std::vector<std::string>& names, const std::string& text, int start)
{
    if (names.empty()) return -1;
    if (names.size() == 1) return 0;
    if (start < 0 || start >= int(names.size())) start = 0;
    int chosen = dialogs.selectBoxShown(names, text, start);
    return chosen >= 0 && chosen < int(names.size()) ? chosen : -1;
}

} // namespace quillo
