// Reading MD4 model files.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

#include "file_util.h"
#include "fixed_point.h"
#include "colour_table.h"
#include "face_index.h"
#include "md4_file.h"
#include "messages.h"
#include "text_util.h"

namespace quillo {

int formatVariant = variantReal;

int variantFromName(const std::string& path)
{
    if (path.size() < 5) return variantReal;
    switch (path.back()) {
    case '4': return variantInteger;
    case '5': return variantReal5;
    default: return variantReal;
    }
}

std::string modelDirectory(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos) return path.substr(0, slash + 1);
    return currentDirectory();
}

namespace {

const char* const cannotRead = "モデルファイルを読み込めません";

// Parts and embedded objects nest at most this deep; a deeper file is
// refused rather than read by ever deeper recursion.
constexpr int maxNesting = 256;
// A file holds at most this many parts and objects together (each costs a
// kilobyte or so for a dozen bytes of text), and is at most this long, so
// that a file of junk cannot make memory grow without limit.
constexpr int maxBlocks = 100000;
constexpr long long maxFileSize = 256ll << 20;

// Key of a colour compared as numbers (so +0 and -0 are one key).
struct ColourKey {
    int32_t r, g, b;
    float a, d, s;
    bool operator==(const ColourKey& o) const
    {
        return r == o.r && g == o.g && b == o.b && a == o.a && d == o.d && s == o.s;
    }
};
struct ColourKeyHash {
    size_t operator()(const ColourKey& k) const
    {
        auto f = [](float v) { return v == 0.0f ? 0u : std::hash<float>()(v); };
        size_t h = size_t(k.r) * 73856093u ^ size_t(k.g) * 19349663u ^ size_t(k.b) * 83492791u;
        return h ^ (f(k.a) * 3) ^ (f(k.d) * 7) ^ (f(k.s) * 11);
    }
};
ColourKey colourKey(const Material& m) { return {m.red, m.green, m.blue, m.ambient, m.diffuse, m.specular}; }

struct MaterialBytesHash {
    size_t operator()(const std::string& s) const { return std::hash<std::string>()(s); }
};
std::string materialBytes(const Material& m) { return std::string(reinterpret_cast<const char*>(&m), sizeof m); }

// Look-ups of one object's material and texture tables that give the same
// answers as a linear search from the start, in constant time.
class TableIndex {
public:
    explicit TableIndex(ModelObject& object) : object_(object)
    {
        for (int i = 0; i < object.materials.count(); ++i) noteMaterial(i);
        for (int i = 0; i < object.textures.count(); ++i) byName_.try_emplace(object.textures[i].name, i);
    }
    // First material of this colour whatever its texture, appended if missing.
    int findOrAddColour(const Material& m)
    {
        auto it = byColour_.find(colourKey(m));
        if (it != byColour_.end()) return it->second;
        return add(m);
    }
    // appendUnique by the whole record.
    int findOrAddRecord(const Material& m)
    {
        auto it = byBytes_.find(materialBytes(m));
        if (it != byBytes_.end()) return it->second;
        return add(m);
    }
    int textureNamed(const char* name) const
    {
        auto it = byName_.find(name);
        return it == byName_.end() ? -1 : it->second;
    }
    int addTexture(const Texture& t)
    {
        int i = object_.textures.append(t);
        if (i >= 0) byName_.try_emplace(t.name, i);
        return i;
    }
    int firstMaterialWithTexture(int texture) const
    {
        auto it = byTexture_.find(texture);
        return it == byTexture_.end() ? -1 : it->second;
    }

private:
    int add(const Material& m)
    {
        int i = object_.materials.append(m);
        if (i >= 0) noteMaterial(i);
        return i;
    }
    void noteMaterial(int i)
    {
        const Material& m = object_.materials[i];
        byColour_.try_emplace(colourKey(m), i);
        byBytes_.try_emplace(materialBytes(m), i);
        byTexture_.try_emplace(m.texture, i);
    }
    ModelObject& object_;
    std::unordered_map<ColourKey, int, ColourKeyHash> byColour_;
    std::unordered_map<std::string, int, MaterialBytesHash> byBytes_;
    std::unordered_map<std::string, int> byName_;
    std::unordered_map<int, int> byTexture_;
};

// Grid units of a rectangle edge given in model units. The writer writes
// whole grid units, which the division may give back a hair below the
// integer; like a coordinate's snap, a fifth of a step away from zero makes
// the truncation land on it, so a rectangle does not shift with each save.
int32_t gridUnits(float quotient)
{
    return truncToInt(quotient > 0.0f ? quotient + 0.2f : quotient < 0.0f ? quotient - 0.2f : quotient);
}

class Reader {
public:
    Reader(const std::string& text, std::string directory) : text_(text), directory_(std::move(directory)) {}

    bool failed() const { return failed_; }
    const std::string& reason() const { return reason_; }

    // The next token, or an empty view at the end of the file.
    std::string_view token()
    {
        const char* p = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        while (p < end && isSpace(*p)) ++p;
        const char* start = p;
        while (p < end && !isSpace(*p)) ++p;
        pos_ = size_t(p - text_.data());
        return std::string_view(start, size_t(p - start));
    }

    float real()
    {
        std::string_view t = token();
        float v = 0.0f;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
            fail(t, "a number");
        return v;
    }

    int32_t integer()
    {
        std::string_view t = token();
        const char* begin = t.data();
        if (!t.empty() && t[0] == '+') ++begin;
        int32_t v = 0;
        auto [end, ec] = std::from_chars(begin, t.data() + t.size(), v);
        if (t.empty() || ec != std::errc() || end != t.data() + t.size()) fail(t, "a whole number");
        return v;
    }

    // A coordinate in the file's flavour, in model units (not yet snapped).
    float coordinate() { return formatVariant == variantInteger ? float(integer()) * dt : real(); }

    void name(char* field, std::string_view t) { copyToField(field, nameSize, t); }

    // A path token made absolute with the model directory when it names no directory.
    void path(char* field, std::string_view t)
    {
        t = t.substr(0, t.find('\0')); // the field ends at a NUL byte: decide on what it keeps
        if (t.find('/') == std::string_view::npos && t.find('\\') == std::string_view::npos)
            copyToField(field, pathSize, directory_ + std::string(t));
        else
            copyToField(field, pathSize, resolveWindowsPath(std::string(t), directory_));
    }

    void readObject(ModelObject& object, ModelPart* intoPart);

private:
    // Every writer writes the block's name after its end keyword. The token
    // after "pe", "oe" or "te" is passed over only when it is that name, so
    // a block named like a keyword ("v", "q", "m") is not read as one, and
    // files that leave the name out read as before.
    void skipClosingName(const char* name, size_t fieldSize)
    {
        const size_t at = pos_;
        std::string_view t = token();
        char field[256];
        copyToField(field, fieldSize, t);
        if (t.empty() || std::strcmp(field, name) != 0) pos_ = at;
    }

    // Enters one more level of part or object nesting; false (and the read
    // fails) beyond maxNesting.
    bool enter()
    {
        ++depth_;
        if (failed_) return false;
        if (depth_ > maxNesting) {
            failed_ = true;
            reason_ = "line " + std::to_string(lineAt(pos_)) + ": parts and objects are nested deeper than " +
                      std::to_string(maxNesting) + " levels";
        } else if (++blocks_ > maxBlocks) {
            failed_ = true;
            reason_ = "line " + std::to_string(lineAt(pos_)) + ": more than " + std::to_string(maxBlocks) +
                      " parts and objects";
        }
        return !failed_;
    }

public:
    // Counts a top-level object like the blocks within it.
    bool enterObject()
    {
        const bool ok = enter();
        --depth_;
        return ok;
    }

private:
    size_t lineAt(size_t at) const { return 1 + size_t(std::count(text_.begin(), text_.begin() + long(at), '\n')); }

    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

    void fail(std::string_view t, const char* wanted)
    {
        if (failed_) return;
        failed_ = true;
        size_t line = lineAt(pos_);
        reason_ = t.empty() ? "line " + std::to_string(line) + ": the file ends where " + wanted + " should follow"
                            : "line " + std::to_string(line) + ": \"" + cutUtf8(t, 40) + "\" is not " + wanted;
    }

    void readPart(ModelPart& part, TableIndex& tables, ModelObject& object, int32_t vertexBase);
    int readTextureMapping(int plane, ModelObject& object, TableIndex& tables, int currentMaterial);
    void readPatternList(ModelObject& object, TableIndex& tables);
    void dropBadFaces(ModelObject& object);

    const std::string& text_;
    size_t pos_ = 0;
    std::string directory_;
    bool failed_ = false;
    std::string reason_;
    int depth_ = 0;
    int blocks_ = 0;
};

void Reader::readObject(ModelObject& object, ModelPart* intoPart)
{
    const bool insert = intoPart != nullptr;
    const int32_t vertexBase = insert ? object.vertices.count() : 0;
    {
        std::string_view objectName = token();
        float p[3];
        for (float& c : p) c = real();
        if (!insert) {
            name(object.name, objectName);
            for (int i = 0; i < 3; ++i) object.position[i] = p[i];
        }
    }
    TableIndex tables(object);
    while (!failed_) {
        std::string_view t = token();
        if (t.empty()) break;
        if (t == "oe") {
            skipClosingName(object.name, sizeof object.name);
            break;
        }
        if (t == "dt") {
            float step = real();
            if (!failed_ && !(step > 0.0f)) {
                failed_ = true;
                reason_ = "the grid step dt must be above zero";
            }
            if (!failed_) dt = step;
        } else if (t == "v") {
            float x = coordinate(), y = coordinate(), z = coordinate();
            if (!failed_) object.vertices.append(makeVertex(snap(x), snap(y), snap(z)));
        } else if (t == "pb") {
            if (!enter()) {
                --depth_;
                break;
            }
            if (!insert) {
                readPart(*object.rootPart, tables, object, vertexBase);
            } else {
                auto* part = new ModelPart(true);
                intoPart->children.append(part);
                readPart(*part, tables, object, vertexBase);
            }
            --depth_;
        } else if (t == "tb") {
            readPatternList(object, tables);
        }
    }
    if (!insert) {
        for (float& c : object.position) {
            if (formatVariant == variantInteger) c *= dt;
            c = snap(c);
        }
    }
    if (!failed_) dropBadFaces(object);
}

void Reader::readPart(ModelPart& part, TableIndex& tables, ModelObject& object, int32_t vertexBase)
{
    part.clear();
    int current = -1;
    {
        name(part.name, token());
        for (float& c : part.position) c = coordinate();
        for (float& c : part.position) c = snap(c);
    }
    FaceIndex known;
    while (!failed_) {
        std::string_view t = token();
        if (t.empty()) break;
        if (t == "pe") {
            skipClosingName(part.name, sizeof part.name);
            break;
        }
        const bool faceKeyword = (t[0] == 'q' || t[0] == 'Q') &&
                                 (t.size() == 1 || (t.size() == 2 && (t[1] == 'd' || t[1] == 's')));
        if (faceKeyword) {
            Face f;
            for (int k = 0; k < 4; ++k) {
                // An index pushed past the int range by the base names no vertex.
                const int64_t index = int64_t(integer()) + vertexBase;
                f.index(k) = index > INT32_MAX ? -1 : int32_t(index);
            }
            f.altDiagonal = t[0] == 'Q';
            f.doubleSided = t.size() == 2 && t[1] == 'd';
            f.twistFix = t.size() == 2 && t[1] == 's';
            f.material = current;
            if (!failed_) known.appendUnlessPresent(part.faces, f);
        } else if (t == "m") {
            Material m = defaultMaterial();
            m.ambient = real();
            m.diffuse = real();
            m.specular = real();
            std::string_view c = token();
            m.red = integer();
            m.green = integer();
            m.blue = integer();
            if (failed_) break;
            if (c != "c") errorbox(formatMessage("%s", cannotRead));
            m.texture = -1;
            m.shade = 0;
            current = tables.findOrAddColour(m);
        } else if (t == "txy" || t == "tzy" || t == "txz") {
            int plane = t == "txy" ? planeXY : (t == "tzy" ? planeZY : planeXZ);
            current = readTextureMapping(plane, object, tables, current);
        } else if (t == "ob") {
            if (!enter()) {
                --depth_;
                break;
            }
            auto* embedded = new ModelObject(false);
            part.objects.append(embedded);
            readObject(*embedded, nullptr);
            --depth_;
        } else if (t == "pb") {
            if (!enter()) {
                --depth_;
                break;
            }
            auto* child = new ModelPart(true);
            part.children.append(child);
            readPart(*child, tables, object, vertexBase);
            --depth_;
        }
    }
}

int Reader::readTextureMapping(int plane, ModelObject& object, TableIndex& tables, int currentMaterial)
{
    std::string_view textureName = token();
    std::string_view file = token();
    if (textureName.empty() || file.empty()) {
        fail(textureName, "a texture name and file");
        return currentMaterial;
    }
    char nameField[256];
    copyToField(nameField, sizeof nameField, textureName);
    int existing = tables.textureNamed(nameField);
    if (existing >= 0) return tables.firstMaterialWithTexture(existing);

    Texture tex = makeTexture();
    if (formatVariant == variantInteger) {
        int32_t x0 = integer(), y0 = integer(), w = integer(), h = integer();
        tex.x0 = x0;
        tex.y0 = y0;
        tex.x1 = int32_t(int64_t(x0) + w);
        tex.y1 = int32_t(int64_t(y0) + h);
    } else {
        float cx = real(), cy = real(), w = real(), h = real();
        tex.x0 = gridUnits((cx - w * 0.5f) / dt);
        tex.y0 = gridUnits((cy - h * 0.5f) / dt);
        tex.x1 = int32_t(int64_t(tex.x0) + gridUnits(w / dt));
        tex.y1 = int32_t(int64_t(tex.y0) + gridUnits(h / dt));
    }
    if (failed_) return currentMaterial;
    path(tex.files[0], file);
    tex.patternCount = 1;
    tex.plane = plane;
    std::memcpy(tex.name, nameField, sizeof nameField);
    const Material* cm = object.materials.at(currentMaterial);
    Material textured = cm ? *cm : defaultMaterial();
    if (cm) {
        tex.red = cm->red;
        tex.green = cm->green;
        tex.blue = cm->blue;
        tex.ambient = cm->ambient;
        tex.diffuse = cm->diffuse;
        tex.specular = cm->specular;
    }
    int index = tables.addTexture(tex);
    if (index < 0) return currentMaterial;
    textured.texture = index;
    textured.shade = 0;
    return tables.findOrAddRecord(textured);
}

void Reader::readPatternList(ModelObject& object, TableIndex& tables)
{
    std::string_view textureName = token();
    char nameField[256];
    copyToField(nameField, sizeof nameField, textureName);
    Texture* tex = object.textures.at(tables.textureNamed(nameField));
    if (!tex) return;
    tex->patternCount = 0;
    // Paths beyond the 64th are passed over up to "te" here, so that none of
    // them is taken for a keyword of the object block.
    for (;;) {
        std::string_view t = token();
        if (t.empty()) break;
        if (t == "te") {
            skipClosingName(tex->name, sizeof tex->name);
            break;
        }
        if (tex->patternCount < maxPatterns) path(tex->files[tex->patternCount++], t);
    }
}

void Reader::dropBadFaces(ModelObject& object)
{
    const int32_t vertexCount = object.vertices.count();
    PointerList<ModelPart> parts;
    collectParts(object.rootPart, parts);
    int dropped = 0;
    for (ModelPart* part : parts) {
        int out = 0;
        for (int i = 0; i < part->faces.count(); ++i) {
            const Face f = part->faces[i];
            bool valid = true;
            for (int k = 0; k < 4; ++k) valid = valid && f.index(k) >= 0 && f.index(k) < vertexCount;
            if (!valid) {
                ++dropped;
                continue;
            }
            part->faces[out++] = f;
        }
        while (part->faces.count() > out) part->faces.removeAt(part->faces.count() - 1);
    }
    if (dropped > 0)
        errorbox(formatMessage("%s\n物体 %s の面 %d 個が存在しない点を使っています\nこれらの面は読み込みません",
                               cannotRead, object.name, dropped));
}

// A file beyond the size any model reaches is refused before it is read.
bool tooLarge(const std::string& path, std::string* reason)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || st.st_size <= maxFileSize) return false;
    const std::string why = "the file is larger than " + std::to_string(maxFileSize >> 20) + " MB";
    errorbox(formatMessage("%s\n%s", cannotRead, why.c_str()));
    if (reason) *reason = why;
    return true;
}

} // namespace

ReadResult readModel(ModelDocument& document, const std::string& path, std::string* reason)
{
    formatVariant = variantReal;
    if (tooLarge(path, reason)) return ReadResult::malformed;
    std::string text;
    if (!readWholeFile(path, text)) {
        if (reason) *reason = "cannot open " + path;
        return ReadResult::cannotOpen;
    }
    return readModelText(document, text, path, reason);
}

ReadResult readModelText(ModelDocument& document, const std::string& text, const std::string& path,
                         std::string* reason)
{
    formatVariant = variantFromName(path);
    const float oldStep = dt;
    Reader reader(text, modelDirectory(path));
    std::vector<ModelObject*> read;
    for (std::string_view t = reader.token(); !t.empty() && !reader.failed(); t = reader.token()) {
        if (t != "ob" || !reader.enterObject()) continue;
        auto* object = new ModelObject(true);
        read.push_back(object);
        reader.readObject(*object, nullptr);
    }
    if (reader.failed()) {
        for (ModelObject* o : read) delete o;
        dt = oldStep;
        errorbox(formatMessage("%s\n%s", cannotRead, reader.reason().c_str()));
        if (reason) *reason = reader.reason();
        return ReadResult::malformed;
    }
    for (ModelObject* o : read) document.objects.appendUnique(o);
    return ReadResult::ok;
}

ReadResult insertModel(ModelObject& object, ModelPart& part, bool mergeIntoPart, const std::string& path,
                       GMTBL& table)
{
    formatVariant = variantReal;
    if (tooLarge(path, nullptr)) return ReadResult::malformed;
    std::string text;
    if (!readWholeFile(path, text)) return ReadResult::cannotOpen;
    return insertModelText(object, part, mergeIntoPart, text, path, table);
}

ReadResult insertModelText(ModelObject& object, ModelPart& part, bool mergeIntoPart, const std::string& text,
                           const std::string& path, GMTBL& table)
{
    formatVariant = variantFromName(path);
    Reader reader(text, modelDirectory(path));
    std::string_view t = reader.token();
    while (!t.empty() && t != "ob") t = reader.token();
    if (t.empty()) return ReadResult::cannotOpen;

    const float oldStep = dt;
    if (mergeIntoPart) {
        // Remember the table sizes so a broken block can be taken back whole.
        const int vertices = object.vertices.count(), materials = object.materials.count(),
                  textures = object.textures.count(), children = part.children.count();
        reader.readObject(object, &part);
        if (reader.failed()) {
            while (part.children.count() > children) {
                delete part.children[part.children.count() - 1];
                part.children.removeAt(part.children.count() - 1);
            }
            while (object.vertices.count() > vertices) object.vertices.removeAt(object.vertices.count() - 1);
            while (object.materials.count() > materials) object.materials.removeAt(object.materials.count() - 1);
            while (object.textures.count() > textures) object.textures.removeAt(object.textures.count() - 1);
        } else {
            prepare(object, table);
        }
    } else {
        auto* embedded = new ModelObject(false);
        reader.readObject(*embedded, nullptr);
        if (reader.failed()) {
            delete embedded;
        } else {
            prepare(*embedded, table, object.objectList);
            part.objects.append(embedded);
        }
    }
    if (reader.failed()) {
        dt = oldStep;
        errorbox(formatMessage("%s\n%s", cannotRead, reader.reason().c_str()));
        return ReadResult::malformed;
    }
    return ReadResult::ok;
}

} // namespace quillo
