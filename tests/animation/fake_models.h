// Plain stand-ins for the engine's objects: poses held as floats, patterns
// as ints, and a loader that builds models from a table of shapes.
#pragma once

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "animation/anim_model.h"

namespace quillo::anim::test {

class FakeNode : public PoseNode {
public:
    explicit FakeNode(int size) : values(size / 4, 0.0f) {}
    int poseSize() const override { return int(values.size()) * 4; }
    void storePose(unsigned char* out) const override { std::memcpy(out, values.data(), values.size() * 4); }
    void loadPose(const unsigned char* in) override
    {
        std::memcpy(values.data(), in, values.size() * 4);
        ++loads;
    }
    std::vector<float> values;
    int loads = 0;
};

class FakeCamera : public AnimCamera {
public:
    int poseSize() const override { return 24; }
    void storePose(unsigned char* out) const override { node.storePose(out); }
    void loadPose(const unsigned char* in) override { node.loadPose(in); }
    int zoom() const override { return zoomValue; }
    void setZoom(int z) override
    {
        zoomValue = z;
        ++zoomChanges;
    }
    FakeNode node{24};
    int zoomValue = 256;
    int zoomChanges = 0;
};

// An object with `textures` textures of 64 patterns each and a root part
// followed by `joints` joints.
class FakeObject : public AnimObject {
public:
    FakeObject(int textures, int joints) : patterns(textures, 0)
    {
        nodes.push_back(std::make_unique<FakeNode>(24));
        for (int j = 0; j < joints; ++j) nodes.push_back(std::make_unique<FakeNode>(12));
    }
    int textureCount() const override { return int(patterns.size()); }
    int currentPattern(int t) const override { return patterns[size_t(t)]; }
    void selectPattern(int t, int p) override
    {
        if (p >= 0 && p < 64) patterns[size_t(t)] = p;
    }
    PoseNode& placement() override { return place; }
    int nodeCount() const override { return int(nodes.size()); }
    PoseNode& node(int i) override { return *nodes[size_t(i)]; }
    FakeNode& part(int i) { return *nodes[size_t(i)]; }

    std::vector<int> patterns;
    FakeNode place{24};
    std::vector<std::unique_ptr<FakeNode>> nodes;
};

struct ObjectShape {
    int textures = 0;
    int joints = 0;
};

class FakeModel : public AnimModel {
public:
    explicit FakeModel(const std::vector<ObjectShape>& shapes)
    {
        for (const ObjectShape& s : shapes) objects.push_back(std::make_unique<FakeObject>(s.textures, s.joints));
    }
    int objectCount() const override { return int(objects.size()); }
    AnimObject& object(int i) override { return *objects[size_t(i)]; }
    FakeObject& fake(int i) { return *objects[size_t(i)]; }
    std::vector<std::unique_ptr<FakeObject>> objects;
};

// Loads models from a table of shapes by file name (the last path
// component); with checkFiles, only files that exist. Records every load.
class FakeLoader : public ModelLoader {
public:
    std::unique_ptr<AnimModel> load(const std::string& path) override
    {
        loaded.push_back(path);
        const size_t cut = path.find_last_of('/');
        auto it = shapes.find(cut == std::string::npos ? path : path.substr(cut + 1));
        if (it == shapes.end() || (checkFiles && !std::filesystem::exists(path))) {
            reportMissingModel(path);
            return nullptr;
        }
        auto model = std::make_unique<FakeModel>(it->second);
        models.push_back(model.get());
        return model;
    }
    std::map<std::string, std::vector<ObjectShape>> shapes;
    std::vector<std::string> loaded;
    void clear() override { ++clears; }
    std::vector<FakeModel*> models; // owned by whoever loaded them
    bool checkFiles = false;
    int clears = 0;
};

} // namespace quillo::anim::test
