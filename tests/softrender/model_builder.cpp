#include "model_builder.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace quillo::test {

int addVertex(ModelObject& object, int gx, int gy, int gz)
{
    return object.vertices.append(makeVertex(snap(float(gx) * dt), snap(float(gy) * dt), snap(float(gz) * dt)));
}

int addMaterial(ModelObject& object, int red, int green, int blue, float ambient, float diffuse, float specular,
                int texture)
{
    return object.materials.append(Material{red, green, blue, ambient, diffuse, specular, texture, 0});
}

Face makeFace(int a, int b, int c, int d, int material, bool doubleSided, bool altDiagonal, bool twistFix)
{
    return Face{a, b, c, d, doubleSided ? 1 : 0, altDiagonal ? 1 : 0, material, twistFix ? 1 : 0};
}

ModelObject& addObject(ModelDocument& document, const std::string& name)
{
    auto* object = new ModelObject(true);
    std::strncpy(object->name, name.c_str(), nameSize - 1);
    std::strncpy(object->rootPart->name, "root", nameSize - 1);
    document.objects.append(object);
    return *object;
}

ModelPart& addChildPart(ModelPart& parent, const std::string& name)
{
    auto* part = new ModelPart(true);
    std::strncpy(part->name, name.c_str(), nameSize - 1);
    parent.children.append(part);
    return *part;
}

int addTexture(ModelObject& object, const std::string& name, int plane, int x0, int y0, int x1, int y1,
               const std::vector<std::string>& files)
{
    Texture t = makeTexture();
    std::strncpy(t.name, name.c_str(), sizeof t.name - 1);
    t.plane = plane;
    t.x0 = x0;
    t.y0 = y0;
    t.x1 = x1;
    t.y1 = y1;
    for (const std::string& f : files) std::strncpy(t.files[t.patternCount++], f.c_str(), pathSize - 1);
    return object.textures.append(t);
}

ModelObject& addSphere(ModelDocument& document, int faces, int radius, int bands)
{
    ModelObject& object = addObject(document, "sphere");
    const int rings = std::max(2, int(std::lround(std::sqrt(faces / 2.0))));
    const int segments = std::max(3, faces / rings);
    const double pi = 3.14159265358979323846;

    // Row 0 and row `rings` are the poles, one vertex each.
    std::vector<int> index;
    auto at = [&](int ring, int segment) {
        if (ring == 0) return index[0];
        if (ring == rings) return index[1];
        return index[size_t(2 + (ring - 1) * segments + segment % segments)];
    };
    index.push_back(addVertex(object, 0, -radius, 0));
    index.push_back(addVertex(object, 0, radius, 0));
    for (int ring = 1; ring < rings; ++ring)
        for (int segment = 0; segment < segments; ++segment) {
            const double theta = pi * ring / rings, phi = 2 * pi * segment / segments;
            const double r = radius * (1.0 + 0.06 * std::sin(5 * theta) * std::cos(7 * phi)); // bumps vary the light
            index.push_back(addVertex(object, int(r * std::sin(theta) * std::cos(phi)), int(-r * std::cos(theta)),
                                      int(r * std::sin(theta) * std::sin(phi))));
        }

    const int materials[4] = {addMaterial(object, 220, 60, 50), addMaterial(object, 240, 200, 80),
                              addMaterial(object, 60, 140, 220), addMaterial(object, 90, 190, 110, 0.3f, 1.0f, 0.4f)};
    std::vector<ModelPart*> parts;
    for (int b = 0; b < bands; ++b) parts.push_back(&addChildPart(*object.rootPart, "band" + std::to_string(b)));
    for (int ring = 0; ring < rings; ++ring)
        for (int segment = 0; segment < segments; ++segment) {
            const int material = materials[(segment * 4 / segments) % 4];
            ModelPart& part = *parts[size_t(ring * bands / rings)];
            part.faces.append(makeFace(at(ring, segment), at(ring + 1, segment), at(ring + 1, segment + 1),
                                       at(ring, segment + 1), material, false, (ring + segment) % 2 == 1));
        }
    return object;
}

} // namespace quillo::test
