#include "model_info.h"

#include <cstdio>

#include "model/colour_table.h"
#include "model/md4_file.h"
#include "model/messages.h"

namespace quillo {

namespace {

void describePart(std::string& out, const ModelPart& part, int depth);

void describeObject(std::string& out, const ModelObject& o, int depth)
{
    char line[512];
    int patterns = 0;
    for (const Texture& t : o.textures) patterns += t.patternCount;
    int faces = 0;
    PointerList<ModelPart> parts;
    collectParts(o.rootPart, parts);
    for (ModelPart* p : parts) faces += p->faces.count();
    std::snprintf(line, sizeof line,
                  "%*sobject %s at (%g, %g, %g): %d vertices, %d faces, %d parts, %d materials, %d textures, %d patterns\n",
                  depth * 2, "", o.name, o.position[0], o.position[1], o.position[2], o.vertices.count(), faces,
                  parts.count(), o.materials.count(), o.textures.count(), patterns);
    out += line;
    for (const Texture& t : o.textures) {
        std::snprintf(line, sizeof line, "%*s  texture %s (%s plane, %d patterns): ", depth * 2, "", t.name,
                      t.plane == planeXY ? "X-Y" : t.plane == planeZY ? "Z-Y" : "X-Z", t.patternCount);
        out += line;
        out += t.files[0]; // a path may be longer than the line buffer
        out += "\n";
    }
    describePart(out, *o.rootPart, depth + 1);
}

void describePart(std::string& out, const ModelPart& part, int depth)
{
    char line[512];
    std::snprintf(line, sizeof line, "%*spart %s at (%g, %g, %g): %d faces\n", depth * 2, "", part.name,
                  part.position[0], part.position[1], part.position[2], part.faces.count());
    out += line;
    for (const ModelObject* o : part.objects) describeObject(out, *o, depth + 1);
    for (const ModelPart* c : part.children) describePart(out, *c, depth + 1);
}

} // namespace

std::string describeModel(const ModelDocument& document, int variant)
{
    char line[256];
    std::snprintf(line, sizeof line, "flavour: %s\ndt: %g\nobjects: %d\n",
                  variant == variantInteger ? "integer grid units (md4)" : "real model units (md5)", double(dt),
                  document.objects.count());
    std::string out = line;
    for (const ModelObject* o : document.objects) describeObject(out, *o, 0);
    return out;
}

int infoCommand(const std::string& path)
{
    ModelDocument document;
    std::string reason;
    if (readModel(document, path, &reason) != ReadResult::ok) {
        std::fprintf(stderr, "quillomodel: cannot read %s: %s\n", path.c_str(), reason.c_str());
        return 1;
    }
    // Preparing checks every texture pattern, as the editor does on loading.
    GMTBL table;
    for (ModelObject* o : document.objects) prepare(*o, table);
    std::fputs(describeModel(document, formatVariant).c_str(), stdout);
    std::printf("colours in use: %d\n", table.count);
    return 0;
}

int convertCommand(const std::string& in, const std::string& out)
{
    ModelDocument document;
    std::string reason;
    if (readModel(document, in, &reason) != ReadResult::ok) {
        std::fprintf(stderr, "quillomodel: cannot read %s: %s\n", in.c_str(), reason.c_str());
        return 1;
    }
    if (!writeModel(document, out)) {
        std::fprintf(stderr, "quillomodel: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

} // namespace quillo
