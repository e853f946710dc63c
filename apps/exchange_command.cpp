#include "exchange_command.h"

#include <cstdio>

#include "exchange/gltf_writer.h"
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
    ExportCounts counts;
    if (!writeGltf(document, out, qtPngEncoder(), reason, &counts)) {
        std::fprintf(stderr, "quillomodel: %s\n", reason.c_str());
        return 1;
    }
    std::printf("nodes %d, meshes %d, vertices %d, triangles %d, materials %d, textures %d\n", counts.nodes,
                counts.meshes, counts.vertices, counts.triangles, counts.materials, counts.textures);
    return 0;
}

} // namespace quillo
