#include "exchange_harness.h"

#include <cstdio>
#include <unistd.h>

#include "exchange/gltf_reader.h"
#include "exchange/obj_reader.h"
#include "exchange/texture_import.h"

namespace quillo::fuzz {

namespace {

// The input in a file of its own (the readers read paths), removed afterwards.
struct InputFile {
    std::string path;
    InputFile(const uint8_t* data, size_t size, const char* ext)
    {
        path = "/tmp/quillo-fuzz-" + std::to_string(getpid()) + ext;
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            if (size) std::fwrite(data, 1, size, f);
            std::fclose(f);
        }
    }
    ~InputFile() { std::remove(path.c_str()); }
};

std::string check(const ModelObject& o, const ModelPart& p)
{
    for (const Face& f : p.faces)
        for (int k = 0; k < 4; ++k)
            if (f.index(k) < 0 || f.index(k) >= o.vertices.count()) return "a face outside the vertex table";
    for (int i = 0; i < p.faces.count(); ++i)
        for (int j = i + 1; j < p.faces.count() && j < i + 64; ++j)
            if (sameFace(p.faces[i], p.faces[j])) return "the same face twice";
    for (const ModelPart* c : p.children)
        if (std::string why = check(o, *c); !why.empty()) return why;
    for (const ModelObject* e : p.objects)
        if (std::string why = check(*e, *e->rootPart); !why.empty()) return why;
    return {};
}

// Every texture made has its pattern file among those to write, and
// every colour names a texture the object has (or none).
std::string checkTextures(const ModelObject& o, const TextureImport& t)
{
    for (const Texture& texture : o.textures) {
        bool listed = false;
        for (const ImportFile& f : t.files) listed = listed || f.path == texture.files[0];
        if (!listed) return "a texture without its pattern file";
    }
    for (const Material& m : o.materials)
        if (m.texture != -1 && !o.textures.at(m.texture)) return "a colour naming a texture the object lacks";
    return {};
}

std::string checkDocument(bool ok, const ModelDocument& d, const std::string& why, const TextureImport& t)
{
    if (!ok) return why.empty() ? "a failure without a reason" : std::string();
    if (d.objects.count() == 0) return "success without an object";
    int textures = 0;
    for (const ModelObject* o : d.objects) {
        if (std::string broken = check(*o, *o->rootPart); !broken.empty()) return broken;
        if (std::string broken = checkTextures(*o, t); !broken.empty()) return broken;
        textures += o->textures.count();
    }
    if (textures != t.textures || size_t(textures) != t.files.size()) return "textures miscounted";
    return {};
}

} // namespace

std::string gltf(const uint8_t* data, size_t size)
{
    dt = defaultGridStep;
    InputFile in(data, size, size && data[0] == '{' ? ".gltf" : ".glb");
    ModelDocument d;
    std::string why;
    TextureImport textures; // pattern files stay in memory: the reader writes nothing
    textures.stem = "/tmp/quillo-fuzz-texture";
    const bool ok = readGltf(d, in.path, why, nullptr, &textures);
    const std::string broken = checkDocument(ok, d, why, textures);
    dt = defaultGridStep;
    return broken;
}

std::string obj(const uint8_t* data, size_t size)
{
    dt = defaultGridStep;
    InputFile in(data, size, ".obj");
    ModelDocument d;
    std::string why;
    TextureImport textures;
    textures.stem = "/tmp/quillo-fuzz-texture";
    const bool ok = readObj(d, in.path, why, nullptr, &textures);
    return checkDocument(ok, d, why, textures);
}

} // namespace quillo::fuzz
