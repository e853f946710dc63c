// Writing MD4 model files.
#include <charconv>
#include <cstring>
#include <set>
#include <vector>

#include "file_util.h"
#include "fixed_point.h"
#include "md4_file.h"

namespace quillo {

namespace {

class TextOut {
public:
    explicit TextOut(std::string& out) : out_(out) {}
    TextOut& operator<<(const char* s)
    {
        out_ += s;
        return *this;
    }
    TextOut& operator<<(const std::string& s)
    {
        out_ += s;
        return *this;
    }
    // "%d"
    TextOut& integer(int64_t v)
    {
        char b[24];
        auto r = std::to_chars(b, b + sizeof b, v);
        out_.append(b, r.ptr);
        return *this;
    }
    // "%10g": six significant digits, right-aligned in 10 columns.
    TextOut& real(float v)
    {
        char b[32];
        auto r = std::to_chars(b, b + sizeof b, double(v), std::chars_format::general, 6);
        size_t n = size_t(r.ptr - b);
        if (n < 10) out_.append(10 - n, ' ');
        out_.append(b, n);
        return *this;
    }

private:
    std::string& out_;
};

// Grid units of a coordinate, and the coordinate snapped to the grid.
int32_t grid(float v) { return truncToInt(v / dt); }
float snapped(float v) { return dt * float(grid(v)); }

// A name as one token: an empty name (which could not be read back) gets
// `fallback`, and blanks inside become "_".
std::string tokenName(const char* name, const char* fallback)
{
    std::string s = *name ? name : fallback;
    for (char& c : s)
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') c = '_';
    return s;
}

// What the writer needs of one object while its block is written.
struct ObjectState {
    const ModelObject& o;
    std::vector<std::string> textureNames; // unique tokens, by texture index
    std::vector<int> defined;              // textures in the order their lines were written
    std::vector<bool> isDefined;
};

class Writer {
public:
    Writer(std::string& out, int variant, std::string directory)
        : out_(out), variant_(variant), directory_(std::move(directory))
    {
    }

    void object(const ModelObject& o, const ModelPart* rootOverride)
    {
        ObjectState state{o, uniqueTextureNames(o), {}, std::vector<bool>(size_t(o.textures.count()), false)};
        const std::string name = tokenName(o.name, "物体");
        out_ << "ob " << name;
        coordinates(o.position);
        out_ << " dt ";
        out_.real(dt) << "\n";
        for (const Vertex& v : o.vertices) {
            out_ << " v";
            const float p[3] = {v.x, v.y, v.z};
            coordinates(p);
        }
        part(state, rootOverride ? *rootOverride : *o.rootPart, true);
        // The pattern lists in the order the reader will have met the
        // textures, so that a model read back writes the same text.
        for (int i : state.defined) {
            const Texture& t = o.textures[i];
            const std::string& tname = state.textureNames[size_t(i)];
            out_ << " tb " << tname << "\n";
            for (int k = 0; k < t.patternCount && k < maxPatterns; ++k)
                out_ << "    " << relative(t.files[k]) << "\n";
            out_ << " te " << tname << "\n";
        }
        out_ << "oe " << name << "\n";
    }

private:
    static std::vector<std::string> uniqueTextureNames(const ModelObject& o)
    {
        // The texture line finds a texture by name, so each gets its own;
        // names given by the user are kept first, stand-ins come after.
        std::vector<std::string> names(size_t(o.textures.count()));
        std::set<std::string> taken;
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i < o.textures.count(); ++i) {
                const char* name = o.textures[i].name;
                if ((pass == 0) != (*name != '\0')) continue;
                std::string base = tokenName(name, "テクスチャ"), n = base;
                for (int k = 2; !taken.insert(n).second; ++k) n = base + std::to_string(k);
                names[size_t(i)] = n;
            }
        return names;
    }

    // Marks the textures that faces of `p` and its child parts show.
    static void markUsed(const ModelObject& o, const ModelPart& p, std::vector<bool>& used)
    {
        for (const Face& f : p.faces)
            if (const Material* m = o.materials.at(f.material))
                if (o.textures.at(m->texture)) used[size_t(m->texture)] = true;
        for (const ModelPart* c : p.children) markUsed(o, *c, used);
    }

    // A texture no face shows still gets its definition (with its colour),
    // so that its pattern list has a texture to belong to when read back.
    void unusedTextures(ObjectState& s, const ModelPart& root)
    {
        std::vector<bool> used(s.isDefined.size(), false);
        markUsed(s.o, root, used);
        for (size_t i = 0; i < used.size(); ++i) {
            if (used[i]) continue;
            const Texture& t = s.o.textures[int(i)];
            Material m{t.red, t.green, t.blue, t.ambient, t.diffuse, t.specular, int32_t(i), 0};
            materialLines(s, m, nullptr);
        }
    }

    void coordinates(const float p[3])
    {
        for (int i = 0; i < 3; ++i) {
            out_ << " ";
            if (variant_ == variantInteger)
                out_.integer(grid(p[i]));
            else
                out_.real(snapped(p[i]));
        }
        out_ << "\n";
    }

    // The file name alone when the path lies in the model's folder, unless
    // that would be empty or read back as the end of a pattern list.
    std::string relative(const char* path) const
    {
        const char* slash = std::strrchr(path, '/');
        if (slash && size_t(slash - path + 1) == directory_.size() &&
            std::strncmp(path, directory_.c_str(), directory_.size()) == 0 && slash[1] != '\0' &&
            std::strcmp(slash + 1, "te") != 0)
            return slash + 1;
        return path;
    }

    void textureLine(ObjectState& s, int index)
    {
        const Texture& t = s.o.textures[index];
        if (!s.isDefined[size_t(index)]) {
            s.isDefined[size_t(index)] = true;
            s.defined.push_back(index);
        }
        out_ << (t.plane == planeXY ? " txy " : t.plane == planeZY ? " tzy " : " txz ");
        out_ << s.textureNames[size_t(index)] << " " << relative(t.files[0]);
        if (variant_ == variantInteger) {
            out_ << " ";
            out_.integer(t.x0) << " ";
            out_.integer(t.y0) << " ";
            out_.integer(int64_t(t.x1) - t.x0) << " ";
            out_.integer(int64_t(t.y1) - t.y0) << "\n";
        } else {
            const float values[4] = {float(int64_t(t.x0) + t.x1) * dt * 0.5f, float(int64_t(t.y0) + t.y1) * dt * 0.5f,
                                     float(int64_t(t.x1) - t.x0) * dt, float(int64_t(t.y1) - t.y0) * dt};
            for (float v : values) {
                out_ << " ";
                out_.real(v);
            }
            out_ << "\n";
        }
    }

    void part(ObjectState& s, const ModelPart& p, bool root)
    {
        const ModelObject& o = s.o;
        const std::string name = tokenName(p.name, "部分");
        out_ << "pb " << name;
        coordinates(p.position);
        const Material* last = nullptr;
        int previous = 0;
        bool first = true;
        for (const Face& f : p.faces) {
            if (first || f.material != previous) {
                const Material* m = o.materials.at(f.material);
                if (m) {
                    materialLines(s, *m, last);
                    last = m;
                }
            }
            first = false;
            previous = f.material;
            const char* keyword = f.twistFix ? (f.altDiagonal ? "Qs" : "qs")
                                  : f.altDiagonal ? (f.doubleSided ? "Qd" : "Q")
                                                  : (f.doubleSided ? "qd" : "q");
            out_ << " " << keyword;
            for (int k = 0; k < 4; ++k) {
                out_ << " ";
                out_.integer(f.index(k));
            }
            out_ << "\n";
        }
        if (root) unusedTextures(s, p);
        for (const ModelPart* c : p.children) part(s, *c, false);
        for (const ModelObject* e : p.objects) object(*e, nullptr);
        out_ << "pe " << name << "\n";
    }

    void materialLines(ObjectState& s, const Material& m, const Material* last)
    {
        const ModelObject& o = s.o;
        const Texture* texture = o.textures.at(m.texture);
        bool colourLines = !last || !sameColour(m, *last) ||
                           (!texture && o.textures.at(last->texture) != nullptr);
        if (colourLines) {
            out_ << " m ";
            out_.real(m.ambient) << " ";
            out_.real(m.diffuse) << " ";
            out_.real(m.specular) << "\n c ";
            out_.integer(m.red) << " ";
            out_.integer(m.green) << " ";
            out_.integer(m.blue) << "\n";
        }
        if (texture && (colourLines || m.texture != last->texture)) textureLine(s, m.texture);
    }

    TextOut out_;
    int variant_;
    std::string directory_;
};

} // namespace

std::string writeObject(const ModelObject& object, const ModelPart* rootOverride, int variant,
                        const std::string& directory)
{
    std::string text;
    Writer(text, variant, directory).object(object, rootOverride);
    return text;
}

std::string writeModelText(const ModelDocument& document, const std::string& path)
{
    formatVariant = variantFromName(path);
    std::string text;
    Writer writer(text, formatVariant, modelDirectory(path));
    for (const ModelObject* o : document.objects) writer.object(*o, nullptr);
    return text;
}

bool writeModel(const ModelDocument& document, const std::string& path)
{
    return writeFileAtomically(path, writeModelText(document, path));
}

bool writeObjectFile(const ModelObject& object, const ModelPart* rootOverride, const std::string& path)
{
    formatVariant = variantFromName(path);
    return writeFileAtomically(path, writeObject(object, rootOverride, formatVariant, modelDirectory(path)));
}

} // namespace quillo
