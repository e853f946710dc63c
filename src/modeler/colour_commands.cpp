#include "colour_commands.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "edit_helpers.h"
#include "face_tools.h"
#include "model/bmp_pattern.h"
#include "model/fixed_point.h"
#include "model/messages.h"
#include "model/text_util.h"

namespace quillo {

namespace {

const char* const noObject = "対象となる物体が選択されていません";
const char* const noTexture = "対象となるテクスチャが選択されていません";

void say(const char* text) { errorbox(formatMessage("%s", text)); }

ColourValues valuesOf(const Material& m)
{
    ColourValues v;
    v.red = m.red;
    v.green = m.green;
    v.blue = m.blue;
    v.ambient = m.ambient;
    v.diffuse = m.diffuse;
    v.specular = m.specular;
    return v;
}

// The current texture of the current object, after the two checks every
// pattern command makes (each with its message).
Texture* currentTexture(EditContext& c)
{
    ModelObject* o = c.state.currentobject;
    if (!o) {
        say(noObject);
        return nullptr;
    }
    Texture* t = o->textures.at(c.state.currenttexture);
    if (!t) say(noTexture);
    return t;
}

int32_t gridOf(float value) { return truncToInt(value / dt); }

} // namespace

bool addColour(EditContext& c)
{
    Material m = defaultMaterial();
    c.table.entry(c.state.currentcolour, m.red, m.green, m.blue, m.ambient, m.diffuse, m.specular);
    ColourValues v = valuesOf(m);
    if (c.dialogs.colourBox(v) != 1) return false;
    c.state.currentcolour = c.table.getm(v.red, v.green, v.blue, v.ambient, v.diffuse, v.specular);
    return false;
}

bool changeColour(EditContext& c)
{
    ModelObject* o = c.state.currentobject;
    if (!o) {
        say(noObject);
        return false;
    }
    Material old{};
    int found = -1;
    if (c.table.entry(c.state.currentcolour, old.red, old.green, old.blue, old.ambient, old.diffuse, old.specular))
        for (int i = 0; i < o->materials.count() && found < 0; ++i)
            if (sameColour(o->materials[i], old)) found = i;
    if (found < 0) {
        say("変更する色は対象となる物体には使用されていません");
        return false;
    }
    ColourValues v = valuesOf(o->materials[found]);
    if (c.dialogs.colourBox(v) != 1) return false;
    for (Material& m : o->materials)
        if (sameColour(m, old)) {
            m.red = v.red;
            m.green = v.green;
            m.blue = v.blue;
            m.ambient = v.ambient;
            m.diffuse = v.diffuse;
            m.specular = v.specular;
        }
    return true;
}

bool chooseColour(EditContext& c)
{
    const int clicked = c.dialogs.paletteBox(c.table);
    if (clicked >= 0 && clicked < c.table.count) c.state.currentcolour = clicked;
    return false;
}

bool createTexture(EditContext& c)
{
    EditorState& s = c.state;
    ModelObject* o = s.currentobject;
    if (!o) {
        say(noObject);
        return false;
    }
    const FaceLocation at = s.pickface.valid() ? findSameFace(*o, s.pickface.c) : FaceLocation{};
    if (!at.found()) {
        say("対象となる面が選択されていません");
        return false;
    }
    TextureChoice choice;
    if (c.dialogs.textureBox(choice) != 1) return false;

    const int plane = choice.plane == planeZY ? planeZY : (choice.plane == planeXZ ? planeXZ : planeXY);
    int32_t lo[2] = {INT32_MAX, INT32_MAX}, hi[2] = {INT32_MIN, INT32_MIN};
    const Face face = at.part->faces[at.index];
    for (int k = 0; k < 4; ++k) {
        const Vertex* v = o->vertices.at(face.index(k));
        if (!v) return false;
        const int32_t gx = gridOf(v->x), gy = gridOf(v->y), gz = gridOf(v->z);
        const int32_t u = plane == planeZY ? gz : gx;
        const int32_t w = plane == planeXZ ? gz : gy;
        lo[0] = std::min(lo[0], u);
        hi[0] = std::max(hi[0], u);
        lo[1] = std::min(lo[1], w);
        hi[1] = std::max(hi[1], w);
    }

    Texture t = makeTexture();
    copyToField(t.name, sizeof t.name, fieldName(choice.name, sizeof t.name));
    for (const Texture& other : o->textures)
        if (std::strcmp(other.name, t.name) == 0) {
            say("このテクスチャ名は既に使用されています");
            return false;
        }
    t.plane = plane;
    t.x0 = lo[0];
    t.x1 = hi[0];
    t.y0 = lo[1];
    t.y1 = hi[1];
    copyToField(t.files[0], pathSize, choice.file);
    t.patternCount = 1;
    t.currentPattern = 0;
    const int index = o->textures.append(t);
    if (index < 0) return false;
    s.currenttexture = index;

    const Material* current = o->materials.at(face.material);
    Material m = current ? *current : defaultMaterial();
    m.texture = index;
    m.shade = 0;
    const int material = findOrAppendMaterial(*o, m);
    if (material >= 0) at.part->faces[at.index].material = material;
    return true;
}

bool chooseTexture(EditContext& c)
{
    ModelObject* o = c.state.currentobject;
    if (!o) {
        say(noObject);
        return false;
    }
    if (o->textures.count() == 0) {
        say("対象となる物体にはテクスチャがありません");
        return false;
    }
    std::vector<std::string> names;
    for (const Texture& t : o->textures) names.push_back(t.name);
    c.state.currenttexture = selectbox(c.dialogs, names, "", 0);
    return false;
}

bool resizeTextureRect(EditContext& c, int command)
{
    EditorState& s = c.state;
    if (s.mode != modeTexture || !s.currentobject) return false;
    Texture* t = s.currentobject->textures.at(s.currenttexture);
    if (!t) return false;
    int32_t a = 1;
    for (int i = 1; i < s.movestep; ++i) a *= 5;
    // Each command moves both edges of one side of the rectangle, inwards or outwards.
    static const struct {
        int command;
        bool horizontal;
        int32_t grow; // -1 shrinks, +1 grows
    } sizes[] = {{626, false, -1}, {627, false, 1}, {628, true, -1}, {629, true, 1}};
    for (const auto& s : sizes)
        if (s.command == command) {
            int32_t& low = s.horizontal ? t->x0 : t->y0;
            int32_t& high = s.horizontal ? t->x1 : t->y1;
            low -= s.grow * a;
            high += s.grow * a;
            return true;
        }
    return false;
}

bool choosePattern(EditContext& c)
{
    ModelObject* o = c.state.currentobject;
    if (!o || o->textures.count() == 0) return false;
    std::vector<std::string> names;
    for (const Texture& t : o->textures) names.push_back(t.name);
    const int which = selectbox(c.dialogs, names, "", 0);
    if (which < 0) return false;
    Texture& t = o->textures[which];
    if (t.patternCount <= 1) return false;
    std::vector<std::string> files;
    for (int i = 0; i < t.patternCount && i < maxPatterns; ++i) files.push_back(t.files[i]);
    const int pattern = selectbox(c.dialogs, files, "", 0);
    if (pattern < 0) return false;
    t.currentPattern = pattern;
    t.currentImage = t.images[pattern];
    return true;
}

bool addPattern(EditContext& c)
{
    Texture* t = currentTexture(c);
    if (!t) return false;
    std::string path;
    if (!c.dialogs.chooseFile(fileBmp, path)) return false;
    if (t->patternCount >= maxPatterns) {
        say("テクスチャパターンは６４個までです");
        return false;
    }
    char file[pathSize];
    copyToField(file, sizeof file, path);
    for (int i = 0; i < t->patternCount; ++i)
        if (std::strcmp(t->files[i], file) == 0) return false;
    if (!checkPattern(*t, file, c.table)) return false;
    std::memcpy(t->files[t->patternCount], file, sizeof file);
    ++t->patternCount;
    return true;
}

bool removePattern(EditContext& c)
{
    Texture* t = currentTexture(c);
    if (!t) return false;
    if (t->patternCount <= 1) {
        say("基本ファイルは削除できません");
        return false;
    }
    const int shown = t->currentPattern >= 0 && t->currentPattern < t->patternCount ? t->currentPattern : 0;
    if (!askbox(formatMessage("テクスチャ %s からファイル %s を削除します\nよろしいですか？", t->name, t->files[shown])))
        return false;
    // File names and loaded images move up together, so that each image
    // stays with its file until the next redraw loads them again.
    if (t->currentImage == t->images[shown]) t->currentImage = nullptr;
    std::free(t->images[shown]);
    for (int i = shown; i + 1 < t->patternCount; ++i) {
        std::memcpy(t->files[i], t->files[i + 1], pathSize);
        t->images[i] = t->images[i + 1];
    }
    --t->patternCount;
    std::memset(t->files[t->patternCount], 0, pathSize);
    t->images[t->patternCount] = nullptr;
    t->currentPattern = std::min(shown, t->patternCount - 1);
    t->currentImage = t->images[t->currentPattern];
    return true;
}

} // namespace quillo
