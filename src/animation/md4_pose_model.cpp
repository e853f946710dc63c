#include "md4_pose_model.h"

#include <vector>

#include "model/md4_file.h"
#include "model/model.h"
#include "record_bytes.h"

namespace quillo::anim {

namespace {

// A node's pose: placed nodes store position and angles, joints (parts
// below the root, which turn about a fixed pivot) the angles only.
class NodePose : public PoseNode {
public:
    NodePose(ModelNode& node, bool joint) : node_(node), joint_(joint) {}
    int poseSize() const override { return joint_ ? 12 : 24; }
    void storePose(unsigned char* out) const override
    {
        int k = 0;
        if (!joint_)
            for (float p : node_.position) putFloat(out + 4 * k++, p);
        for (float a : node_.angles) putFloat(out + 4 * k++, a);
    }
    void loadPose(const unsigned char* in) override
    {
        float v[6] = {node_.position[0], node_.position[1], node_.position[2]};
        const int first = joint_ ? 3 : 0;
        for (int k = first; k < 6; ++k) v[k] = getFloat(in + 4 * (k - first));
        node_.place(v[0], v[1], v[2], v[3], v[4], v[5]);
    }

private:
    ModelNode& node_;
    bool joint_;
};

class ObjectPose : public AnimObject {
public:
    explicit ObjectPose(ModelObject& object) : object_(object), placement_(object, false)
    {
        addParts(object.rootPart, false);
    }
    int textureCount() const override { return object_.textures.count(); }
    int currentPattern(int t) const override { return object_.textures[t].currentPattern; }
    void selectPattern(int t, int pattern) override
    {
        Texture& texture = object_.textures[t];
        if (pattern >= 0 && pattern < texture.patternCount) texture.currentPattern = pattern;
    }
    PoseNode& placement() override { return placement_; }
    int nodeCount() const override { return int(nodes_.size()); }
    PoseNode& node(int i) override { return nodes_[size_t(i)]; }

private:
    void addParts(ModelPart* part, bool joint)
    {
        nodes_.emplace_back(*part, joint);
        for (ModelPart* child : part->children) addParts(child, true);
    }
    ModelObject& object_;
    NodePose placement_;
    std::vector<NodePose> nodes_;
};

class Md4PoseModel : public AnimModel {
public:
    explicit Md4PoseModel(std::unique_ptr<ModelDocument> document) : document_(std::move(document))
    {
        addObject(*document_->objects[0]);
    }
    int objectCount() const override { return int(objects_.size()); }
    AnimObject& object(int i) override { return *objects_[size_t(i)]; }

private:
    void addObject(ModelObject& object)
    {
        objects_.push_back(std::make_unique<ObjectPose>(object));
        addNested(object.rootPart);
    }
    void addNested(ModelPart* part)
    {
        for (int i = part->objects.count() - 1; i >= 0; --i) addObject(*part->objects[i]);
        for (ModelPart* child : part->children) addNested(child);
    }
    std::unique_ptr<ModelDocument> document_;
    std::vector<std::unique_ptr<ObjectPose>> objects_;
};

} // namespace

std::unique_ptr<AnimModel> Md4PoseLoader::load(const std::string& path)
{
    auto document = std::make_unique<ModelDocument>();
    const ReadResult read = readModel(*document, path);
    if (read == ReadResult::cannotOpen) reportMissingModel(path);
    if (read != ReadResult::ok || document->objects.count() == 0) return nullptr;
    return std::make_unique<Md4PoseModel>(std::move(document));
}

} // namespace quillo::anim
