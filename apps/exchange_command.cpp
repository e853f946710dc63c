#include "exchange_command.h"

#include <cstdio>

#include "exchange/gltf_reader.h"
#include "exchange/gltf_writer.h"
#include "exchange/exchange_text.h"
#include "exchange/obj_reader.h"
#include "exchange/obj_writer.h"
#include "exchange/texture_import.h"
#include "model/colour_table.h"
#include "model/md4_file.h"
#include "platform/qt_png_encoder.h"

namespace quillo {

int exportCommand(const std::string& out, const std::string& model)
{
    ModelDocument document;
    std::string reason;
    if (readModel(document, model, &reason) != ReadResult::ok) {
        std::fprintf(stderr, "quillomodel: cannot read %s: %s\n", model.c_str(), reason.c_str());
        return 1;
    }
    // Preparing loads the patterns and gives the textures their sizes.
    GMTBL table;
    for (ModelObject* o : document.objects) prepare(*o, table);
    if (endsWithNoCase(out, ".obj")) {
        ObjCounts obj;
        if (!writeObj(document, out, qtPngEncoder(), reason, &obj)) {
            std::fprintf(stderr, "quillomodel: %s\n", reason.c_str());
            return 1;
        }
        std::printf("objects %d, groups %d, vertices %d, faces %d, materials %d, textures %d\n", obj.objects,
                    obj.groups, obj.vertices, obj.faces, obj.materials, obj.textures);
        return 0;
    }
    ExportCounts counts;
    if (!writeGltf(document, out, qtPngEncoder(), reason, &counts)) {
        std::fprintf(stderr, "quillomodel: %s\n", reason.c_str());
        return 1;
    }
    std::printf("nodes %d, meshes %d, vertices %d, triangles %d, materials %d, textures %d\n", counts.nodes,
                counts.meshes, counts.vertices, counts.triangles, counts.materials, counts.textures);
    return 0;
}

int importCommand(const std::string& in, const std::string& out)
{
    ModelDocument document;
    std::string reason;
    ImportCounts counts;
    // Pattern files go beside the model: OUT_<object>_<texture>.bmp.
    TextureImport textures;
    textures.stem = importTextureStem(out);
    const bool read = endsWithNoCase(in, ".obj") ? readObj(document, in, reason, &counts, &textures)
                                                 : readGltf(document, in, reason, &counts, &textures);
    if (!read) {
        std::fprintf(stderr, "quillomodel: %s\n", reason.c_str());
        return 1;
    }
    if (!writeImportFiles(textures.files, reason)) {
        std::fprintf(stderr, "quillomodel: cannot write %s\n", reason.c_str());
        return 1;
    }
    if (!writeModel(document, out)) {
        std::fprintf(stderr, "quillomodel: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("objects %d, parts %d, vertices %d, faces %d, textures %d\n", counts.objects, counts.parts,
                counts.vertices, counts.faces, textures.textures);
    if (textures.colourOnly > 0)
        std::printf("%d textured faces keep their colour alone (no planar mapping fits them)\n", textures.colourOnly);
    return 0;
}

} // namespace quillo
