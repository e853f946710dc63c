#include "obj_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "import_builder.h"
#include "texture_import.h"

namespace quillo {

namespace {

std::string fileStem(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

int channel(double value) { return int(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)); }

// Files larger than this are not read (a model file of a billion bytes is no OBJ anyone exchanges).
constexpr std::streamoff maxFileBytes = std::streamoff(1) << 30;

bool readWhole(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > maxFileBytes) return false;
    in.seekg(0);
    text.resize(size_t(size));
    return bool(in.read(text.data(), size));
}

// The words of a line, split at blanks and tabs.
std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// Everything after the keyword, without the blanks around it.
std::string rest(const std::string& line, size_t keyword)
{
    size_t from = line.find_first_not_of(" \t", keyword);
    if (from == std::string::npos) return {};
    size_t to = line.find_last_not_of(" \t");
    return line.substr(from, to + 1 - from);
}

double number(const std::vector<std::string>& w, size_t i, double otherwise)
{
    if (i >= w.size()) return otherwise;
    char* end = nullptr;
    const double v = std::strtod(w[i].c_str(), &end);
    return end != w[i].c_str() && std::isfinite(v) ? v : otherwise;
}

struct MtlColour {
    double kd[3] = {1, 1, 1}, ka = 0, ks = 0, diffuse = 1;
    std::string picture; // map_Kd, relative to the MTL file
};

void readMtl(const std::string& path, std::map<std::string, MtlColour>& colours, std::vector<std::string>& pictures)
{
    std::string text;
    if (!readWhole(path, text)) return;
    std::istringstream in(text);
    MtlColour* current = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        if (w[0] == "newmtl" && w.size() > 1) {
            current = &colours[rest(line, line.find("newmtl") + 6)];
            *current = MtlColour{};
        } else if (!current) {
            continue;
        } else if (w[0] == "Kd") {
            for (size_t k = 0; k < 3; ++k) current->kd[k] = number(w, 1 + k, k ? current->kd[0] : 1.0);
        } else if (w[0] == "Ka") {
            current->ka = number(w, 1, 0);
        } else if (w[0] == "Ks") {
            current->ks = number(w, 1, 0);
        } else if (w[0] == "quillo_diffuse") { // the diffuse coefficient of quillomodel's colours
            current->diffuse = number(w, 1, 1);
        } else if (w[0] == "map_Kd" && w.size() > 1) { // options first, the file name last
            current->picture = directoryOf(path) + w.back();
            pictures.push_back(current->picture);
        }
    }
}

// A part of the object being read, with its faces held until the textures are known.
struct PendingPart {
    ModelPart* part;
    std::vector<ImportTriangle> triangles;
    std::vector<Face> quads;
    std::vector<std::array<float, 8>> quadUv; // u, v of the four corners, v down the picture
    std::vector<int32_t> quadPicture;
};

class ObjImport {
public:
    ObjImport(ModelObject& object, const std::string& path) : object_(object), builder_(object), path_(path) {}

    bool read(std::string& why, ImportCounts& made, TextureImport* textures)
    {
        std::string text;
        if (!readWhole(path_, text)) {
            why = "cannot read " + path_;
            return false;
        }
        std::istringstream in(text);
        bool structure = false; // a "#quillo part" line names the next group's place in the tree
        int depth = 0;
        double pivot[3] = {0, 0, 0};
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::vector<std::string> w = words(line);
            if (w.empty()) continue;
            const std::string& key = w[0];
            if (key == "#quillo" && w.size() == 6 && w[1] == "part") {
                structure = true;
                depth = int(std::clamp(number(w, 2, 0), 0.0, 1000.0));
                for (size_t k = 0; k < 3; ++k) pivot[k] = number(w, 3 + k, 0);
            } else if (key[0] == '#') {
                continue;
            } else if (key == "v") {
                positions_.push_back({number(w, 1, NAN), number(w, 2, NAN), number(w, 3, NAN)});
            } else if (key == "vt") {
                coordinates_.push_back({float(number(w, 1, 0)), float(1.0 - number(w, 2, 0))});
            } else if (key == "g" || key == "o") {
                name_ = rest(line, line.find(key) + 1);
                current_ = nullptr;
                if (structure && key == "g") {
                    current_ = newPart(name_, depth, pivot, true);
                    structure = false;
                }
            } else if (key == "usemtl") {
                material_ = rest(line, line.find(key) + 6);
            } else if (key == "mtllib") {
                for (size_t i = 1; i < w.size(); ++i) readMtl(directoryOf(path_) + w[i], colours_, pictureFiles_);
            } else if (key == "f") {
                face(w);
            }
        }
        finish(textures);
        for (PendingPart& p : parts_) {
            made.faces += builder_.addTriangles(*p.part, p.triangles);
            made.faces += builder_.addFaces(*p.part, p.quads);
        }
        made.parts = int(parts_.size());
        if (made.faces == 0) {
            why = "no faces in " + path_;
            return false;
        }
        return true;
    }

private:
    // A part made by a group: the first is the root part; with a place in
    // the tree each hangs below the last part one level up, otherwise below the root.
    ModelPart* newPart(const std::string& name, int depth, const double pivot[3], bool placed)
    {
        ModelPart* part = nullptr;
        if (parts_.empty()) {
            part = object_.rootPart;
            depth = 0;
        } else {
            // A second tree (another object of the file) hangs below the first root.
            if (placed && depth == 0) shift_ = 1;
            depth = placed ? std::max(1, depth + shift_) : 1;
            ModelPart* parent = object_.rootPart;
            for (size_t i = levels_.size(); placed && i-- > 0;)
                if (levels_[i].first < depth) {
                    parent = levels_[i].second;
                    break;
                }
            auto child = std::make_unique<ModelPart>(true);
            for (int k = 0; k < 3; ++k)
                child->position[k] = std::fabs(pivot[k] / double(dt)) < 1e9 ? float(pivot[k]) : 0.0f;
            if (parent->children.append(child.get()) < 0) return nullptr;
            part = child.release();
        }
        setImportName(part->name, name, "部分", int(parts_.size()) + 1);
        while (!levels_.empty() && levels_.back().first >= depth) levels_.pop_back();
        levels_.emplace_back(depth, part);
        parts_.push_back(PendingPart{part, {}, {}, {}, {}});
        byName_[name] = parts_.size() - 1;
        return part;
    }

    PendingPart* currentPart()
    {
        if (!current_) {
            // Without a place in the tree, groups of one name are one part, a child of the root.
            auto known = byName_.find(name_);
            if (known != byName_.end()) current_ = parts_[known->second].part;
            else {
                const double origin[3] = {0, 0, 0};
                current_ = newPart(name_, 0, origin, false);
            }
            if (!current_) return nullptr;
        }
        for (PendingPart& p : parts_)
            if (p.part == current_) return &p;
        return nullptr;
    }

    // An OBJ index (1-based, or negative from the end) into a table of `count`.
    static int64_t resolve(const std::string& token, size_t count)
    {
        if (token.empty()) return -1;
        char* end = nullptr;
        const long long i = std::strtoll(token.c_str(), &end, 10);
        if (end == token.c_str()) return -1;
        const long long at = i < 0 ? (long long)count + i : i - 1;
        return at >= 0 && at < (long long)count ? at : -1;
    }

    int32_t vertexOf(int64_t index)
    {
        if (index < 0) return -1;
        auto [it, added] = welded_.try_emplace(index, -1);
        if (added) {
            const auto& p = positions_[size_t(index)];
            if (std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2])) it->second = builder_.vertex(p[0], p[1], p[2]);
        }
        return it->second;
    }

    // The colour of the current material, and its picture (-1 for none).
    int32_t colour(int32_t& picture)
    {
        picture = -1;
        auto it = colours_.find(material_);
        if (it == colours_.end()) return builder_.material(255, 255, 255, 0.0f, 1.0f, 0.0f);
        const MtlColour& m = it->second;
        if (!m.picture.empty())
            picture = int32_t(std::find(pictureFiles_.begin(), pictureFiles_.end(), m.picture) - pictureFiles_.begin());
        return builder_.material(channel(m.kd[0]), channel(m.kd[1]), channel(m.kd[2]), float(m.ka), float(m.diffuse),
                                 float(m.ks));
    }

    void face(const std::vector<std::string>& w)
    {
        std::vector<int32_t> corners;
        std::vector<std::array<float, 2>> uv;
        bool textured = true;
        for (size_t i = 1; i < w.size(); ++i) {
            const std::string& token = w[i];
            const size_t slash = token.find('/');
            const int32_t v = vertexOf(resolve(token.substr(0, slash), positions_.size()));
            int64_t t = -1;
            if (slash != std::string::npos) t = resolve(token.substr(slash + 1, token.find('/', slash + 1) - slash - 1), coordinates_.size());
            if (v < 0 || (!corners.empty() && (corners.back() == v || corners.front() == v))) continue;
            corners.push_back(v);
            textured = textured && t >= 0;
            uv.push_back(t >= 0 ? coordinates_[size_t(t)] : std::array<float, 2>{0, 0});
        }
        if (corners.size() < 3) return;
        PendingPart* part = currentPart();
        if (!part) return;
        int32_t picture = -1;
        const int32_t material = colour(picture);
        if (!textured) picture = -1;
        auto uvOf = [&](int32_t vertex) { return uv[size_t(std::find(corners.begin(), corners.end(), vertex) - corners.begin())]; };
        if (corners.size() == 3) {
            ImportTriangle t{{corners[0], corners[1], corners[2]}, material, 0, 0, picture, {}};
            for (int k = 0; k < 3; ++k) t.uv[k][0] = uv[size_t(k)][0], t.uv[k][1] = uv[size_t(k)][1];
            part->triangles.push_back(t);
            return;
        }
        for (const Face& q : splitPolygon(corners, material)) {
            std::array<float, 8> corner{};
            for (int k = 0; k < 4; ++k) {
                const auto c = uvOf(q.index(k));
                corner[size_t(k) * 2] = c[0];
                corner[size_t(k) * 2 + 1] = c[1];
            }
            part->quads.push_back(q);
            part->quadUv.push_back(corner);
            part->quadPicture.push_back(picture);
        }
    }

    // Gives textured faces their textures before they become faces of the parts.
    void finish(TextureImport* textures)
    {
        if (!textures) return;
        std::vector<TexturedFace> faces;
        for (PendingPart& p : parts_) {
            addTexturedTriangles(p.triangles, faces);
            for (size_t i = 0; i < p.quads.size(); ++i) {
                if (p.quadPicture[i] < 0) continue;
                Face& q = p.quads[i];
                const auto& c = p.quadUv[i];
                TexturedFace f{&q.material, p.quadPicture[i], {}};
                // The renderer's two triangles of the quad (A, B, D) and (B, C, D); a repeated corner drops one.
                static const int drawn[2][3] = {{0, 1, 3}, {1, 2, 3}};
                for (const auto& d : drawn) {
                    const int32_t a = q.index(d[0]), b = q.index(d[1]), e = q.index(d[2]);
                    if (a == b || b == e || a == e) continue;
                    f.triangles.push_back(TexturedTriangle{{a, b, e},
                                                           {{c[size_t(d[0]) * 2], c[size_t(d[0]) * 2 + 1]},
                                                            {c[size_t(d[1]) * 2], c[size_t(d[1]) * 2 + 1]},
                                                            {c[size_t(d[2]) * 2], c[size_t(d[2]) * 2 + 1]}}});
                }
                faces.push_back(std::move(f));
            }
        }
        if (faces.empty()) return;
        resolveTextures(object_, 0, faces, [this](int32_t id, std::string& name) { return picture(id, name); }, *textures);
    }

    const RgbaPicture* picture(int32_t id, std::string& name)
    {
        if (id < 0 || size_t(id) >= pictureFiles_.size()) return nullptr;
        name = fileStem(pictureFiles_[size_t(id)]);
        auto [it, added] = pictures_.try_emplace(id);
        if (added) {
            std::string bytes, why;
            it->second.first = readWhole(pictureFiles_[size_t(id)], bytes) &&
                               decodePicture(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                             it->second.second, why);
        }
        return it->second.first ? &it->second.second : nullptr;
    }

    ModelObject& object_;
    ObjectBuilder builder_;
    std::string path_;
    std::vector<std::array<double, 3>> positions_;
    std::vector<std::array<float, 2>> coordinates_;
    std::map<int64_t, int32_t> welded_; // file vertex -> model vertex, only for the points faces use
    std::map<std::string, MtlColour> colours_;
    std::vector<std::string> pictureFiles_;
    std::map<int32_t, std::pair<bool, RgbaPicture>> pictures_;
    std::string name_, material_;
    ModelPart* current_ = nullptr;
    std::vector<PendingPart> parts_;
    std::map<std::string, size_t> byName_;
    std::vector<std::pair<int, ModelPart*>> levels_; // the open path of the tree: depth and part
    int shift_ = 0;
};

} // namespace

std::vector<Face> splitPolygon(const std::vector<int32_t>& c, int32_t material)
{
    std::vector<Face> faces;
    const size_t n = c.size();
    size_t i = 1;
    for (; i + 2 < n; i += 2) faces.push_back(Face{c[0], c[i], c[i + 1], c[i + 2], 0, 0, material, 0});
    if (i + 1 < n) faces.push_back(Face{c[0], c[0], c[i], c[i + 1], 0, 0, material, 0});
    return faces;
}

bool readObj(ModelDocument& document, const std::string& path, std::string& why, ImportCounts* counts,
             TextureImport* textures)
{
    auto object = std::make_unique<ModelObject>(true);
    ImportCounts made;
    setImportName(object->name, fileStem(path), "物体", 1);
    made.objects = 1;
    TextureImport local; // handed over only when the import succeeds
    if (textures) local.stem = textures->stem;
    ObjImport import(*object, path);
    if (!import.read(why, made, textures ? &local : nullptr)) return false;
    made.vertices = object->vertices.count();
    if (document.objects.append(object.get()) < 0) {
        why = "out of memory";
        return false;
    }
    object.release();
    if (counts) *counts = made;
    if (textures) *textures = std::move(local);
    return true;
}

} // namespace quillo
