#include "obj_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>

#include <tiny_obj_loader.h>

#include "import_builder.h"

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

bool readObj(ModelDocument& document, const std::string& path, std::string& why, ImportCounts* counts)
{
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning, error;
    const std::string directory = directoryOf(path);
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, path.c_str(), directory.c_str(), false)) {
        why = error.empty() ? "cannot read " + path : error;
        while (!why.empty() && (why.back() == '\n' || why.back() == '\r')) why.pop_back();
        return false;
    }
    auto object = std::make_unique<ModelObject>(true);
    ImportCounts made;
    setImportName(object->name, fileStem(path), "物体", 1);
    made.objects = 1;
    ObjectBuilder builder(*object);
    const size_t points = attrib.vertices.size() / 3;
    std::vector<int32_t> vertex(points, -1); // welded lazily: only used points enter the table
    auto vertexOf = [&](int index) -> int32_t {
        if (index < 0 || size_t(index) >= points) return -1;
        int32_t& v = vertex[size_t(index)];
        if (v < 0) {
            const double x = attrib.vertices[size_t(index) * 3], y = attrib.vertices[size_t(index) * 3 + 1],
                         z = attrib.vertices[size_t(index) * 3 + 2];
            if (std::isfinite(x) && std::isfinite(y) && std::isfinite(z)) v = builder.vertex(x, y, z);
        }
        return v;
    };
    std::vector<int32_t> colour(materials.size(), -1);
    auto colourOf = [&](int index) {
        if (index < 0 || size_t(index) >= materials.size()) return builder.material(255, 255, 255, 0.0f, 1.0f, 0.0f);
        int32_t& c = colour[size_t(index)];
        if (c < 0) {
            const tinyobj::material_t& m = materials[size_t(index)];
            float diffuse = 1.0f;
            if (auto it = m.unknown_parameter.find("quillo_diffuse"); it != m.unknown_parameter.end())
                diffuse = std::strtof(it->second.c_str(), nullptr);
            c = builder.material(channel(m.diffuse[0]), channel(m.diffuse[1]), channel(m.diffuse[2]),
                                 float(m.ambient[0]), std::isfinite(diffuse) ? diffuse : 1.0f, float(m.specular[0]));
        }
        return c;
    };

    std::map<std::string, ModelPart*> parts;
    for (const tinyobj::shape_t& shape : shapes) {
        const tinyobj::mesh_t& mesh = shape.mesh;
        if (mesh.num_face_vertices.empty()) continue;
        // Groups of one name are one part; the first group is the root part.
        ModelPart*& part = parts[shape.name];
        if (!part) {
            if (made.parts == 0) {
                part = object->rootPart;
            } else {
                auto child = std::make_unique<ModelPart>(true);
                if (object->rootPart->children.append(child.get()) < 0) continue;
                part = child.release();
            }
            setImportName(part->name, shape.name, "部分", ++made.parts);
        }
        std::vector<ImportTriangle> triangles;
        std::vector<Face> quads;
        size_t at = 0;
        for (size_t f = 0; f < mesh.num_face_vertices.size(); ++f) {
            const size_t n = mesh.num_face_vertices[f];
            std::vector<int32_t> corners;
            for (size_t k = 0; k < n && at + k < mesh.indices.size(); ++k) {
                const int32_t v = vertexOf(mesh.indices[at + k].vertex_index);
                if (v >= 0 && (corners.empty() || (corners.back() != v && corners.front() != v))) corners.push_back(v);
            }
            at += n;
            const int32_t material = colourOf(f < mesh.material_ids.size() ? mesh.material_ids[f] : -1);
            if (corners.size() == 3) triangles.push_back(ImportTriangle{{corners[0], corners[1], corners[2]}, material, 0, 0});
            else if (corners.size() > 3)
                for (const Face& q : splitPolygon(corners, material)) quads.push_back(q);
        }
        made.faces += builder.addTriangles(*part, triangles);
        made.faces += builder.addFaces(*part, quads);
    }
    if (made.faces == 0) {
        why = "no faces in " + path;
        return false;
    }
    made.vertices = object->vertices.count();
    if (document.objects.append(object.get()) < 0) {
        why = "out of memory";
        return false;
    }
    object.release();
    if (counts) *counts = made;
    return true;
}

} // namespace quillo
