#include "edit_helpers.h"

#include "model/fixed_point.h"
#include "model/text_util.h"

namespace quillo {

namespace {

void appendSubtree(ModelPart* part, std::vector<ModelPart*>& out)
{
    out.push_back(part);
    for (ModelPart* c : part->children) appendSubtree(c, out);
}

} // namespace

std::vector<ModelPart*> partsInOrder(const ModelObject& object)
{
    std::vector<ModelPart*> parts;
    if (object.rootPart) appendSubtree(object.rootPart, parts);
    return parts;
}

int findOrAppendMaterial(ModelObject& object, const Material& material)
{
    for (int i = 0; i < object.materials.count(); ++i) {
        const Material& m = object.materials[i];
        if (sameColour(m, material) && m.texture == material.texture) return i;
    }
    return object.materials.append(material);
}

float gridCoordinate(int32_t n)
{
    if (n > 0) return (float(n) + 0.2f) * dt;
    if (n < 0) return (float(n) - 0.2f) * dt;
    return 0.0f;
}

float snapToGrid(float value) { return gridCoordinate(truncToInt(value / dt)); }

} // namespace quillo
