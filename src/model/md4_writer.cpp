// Writing MD4 model files.
#include <charconv>
#include <cstring>

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

class Writer {
public:
    Writer(std::string& out, int variant, std::string directory)
        : out_(out), variant_(variant), directory_(std::move(directory))
    {
    }

    void object(const ModelObject& o, const ModelPart* rootOverride)
    {
        out_ << "ob " << o.name;
        coordinates(o.position);
        out_ << " dt ";
        out_.real(dt) << "\n";
        for (const Vertex& v : o.vertices) {
            out_ << " v";
            const float p[3] = {v.x, v.y, v.z};
            coordinates(p);
        }
        part(o, rootOverride ? *rootOverride : *o.rootPart);
        for (const Texture& t : o.textures) {
            out_ << " tb " << t.name << "\n";
            for (int i = 0; i < t.patternCount && i < maxPatterns; ++i)
                out_ << "    " << relative(t.files[i]) << "\n";
            out_ << " te " << t.name << "\n";
        }
        out_ << "oe " << o.name << "\n";
    }

private:
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

    std::string relative(const char* path) const
    {
        const char* slash = std::strrchr(path, '/');
        if (slash && size_t(slash - path + 1) == directory_.size() &&
            std::strncmp(path, directory_.c_str(), directory_.size()) == 0)
            return slash + 1;
        return path;
    }

    void textureLine(const ModelObject& o, const Texture& t)
    {
        out_ << (t.plane == planeXY ? " txy " : t.plane == planeZY ? " tzy " : " txz ");
        out_ << t.name << " " << relative(t.files[0]);
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
        (void)o;
    }

    void part(const ModelObject& o, const ModelPart& p)
    {
        out_ << "pb " << p.name;
        coordinates(p.position);
        const Material* last = nullptr;
        int previous = 0;
        bool first = true;
        for (const Face& f : p.faces) {
            if (first || f.material != previous) {
                const Material* m = o.materials.at(f.material);
                if (m) {
                    materialLines(o, *m, last);
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
        for (const ModelPart* c : p.children) part(o, *c);
        for (const ModelObject* e : p.objects) object(*e, nullptr);
        out_ << "pe " << p.name << "\n";
    }

    void materialLines(const ModelObject& o, const Material& m, const Material* last)
    {
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
        if (texture && (colourLines || m.texture != last->texture)) textureLine(o, *texture);
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

bool writeModel(const ModelDocument& document, const std::string& path)
{
    formatVariant = variantFromName(path);
    std::string text;
    Writer writer(text, formatVariant, modelDirectory(path));
    for (const ModelObject* o : document.objects) writer.object(*o, nullptr);
    return writeFileAtomically(path, text);
}

bool writeObjectFile(const ModelObject& object, const ModelPart* rootOverride, const std::string& path)
{
    formatVariant = variantFromName(path);
    return writeFileAtomically(path, writeObject(object, rootOverride, formatVariant, modelDirectory(path)));
}

} // namespace quillo
