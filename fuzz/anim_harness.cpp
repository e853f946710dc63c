#include "anim_harness.h"

#include <cstring>
#include <vector>

#include "animation/anim_model.h"
#include "animation/animation_document.h"
#include "animation/md6_file.h"
#include "animation/md7_file.h"
#include "animation/scene_frames.h"
#include "animation/sound_device.h"
#include "model/messages.h"

namespace quillo::fuzz {

namespace {

class Node : public anim::PoseNode {
public:
    explicit Node(int size) : values_(size_t(size / 4), 0.0f) {}
    int poseSize() const override { return int(values_.size()) * 4; }
    void storePose(unsigned char* out) const override { std::memcpy(out, values_.data(), values_.size() * 4); }
    void loadPose(const unsigned char* in) override { std::memcpy(values_.data(), in, values_.size() * 4); }

private:
    std::vector<float> values_;
};

class Object : public anim::AnimObject {
public:
    Object(int textures, int joints) : patterns_(size_t(textures), 0), placement_(24)
    {
        nodes_.emplace_back(24);
        for (int j = 0; j < joints; ++j) nodes_.emplace_back(12);
    }
    int textureCount() const override { return int(patterns_.size()); }
    int currentPattern(int t) const override { return patterns_[size_t(t)]; }
    void selectPattern(int t, int p) override
    {
        if (p >= 0 && p < 64) patterns_[size_t(t)] = p;
    }
    anim::PoseNode& placement() override { return placement_; }
    int nodeCount() const override { return int(nodes_.size()); }
    anim::PoseNode& node(int i) override { return nodes_[size_t(i)]; }

private:
    std::vector<int> patterns_;
    Node placement_;
    std::vector<Node> nodes_;
};

class Model : public anim::AnimModel {
public:
    explicit Model(size_t seed)
    {
        for (size_t i = 0; i <= seed % 3; ++i) objects_.emplace_back(int((seed + i) % 12), int((seed / 3 + i) % 5));
    }
    int objectCount() const override { return int(objects_.size()); }
    anim::AnimObject& object(int i) override { return objects_[size_t(i)]; }

private:
    std::vector<Object> objects_;
};

// Every "*.md4" path is a model shaped by its name's length; others are missing.
class Loader : public anim::ModelLoader {
public:
    std::unique_ptr<anim::AnimModel> load(const std::string& path) override
    {
        if (path.size() < 4 || path.compare(path.size() - 4, 4, ".md4") != 0) {
            anim::reportMissingModel(path);
            return nullptr;
        }
        return std::make_unique<Model>(path.size());
    }
};

class Quiet : public MessageSink {
public:
    Quiet() : previous_(setMessageSink(this)) {}
    ~Quiet() override { setMessageSink(previous_); }
    void error(const std::string&) override {}
    bool ask(const std::string&) override { return false; }

private:
    MessageSink* previous_;
};

const std::string kDirectory = "/quillo-fuzz/";

void exerciseFrames(anim::AnimationDocument& doc)
{
    for (auto& scene : doc.scenes) {
        doc.currentScene = scene.get();
        std::vector<unsigned char> clipboard(size_t(scene->recordSize()) + 1);
        for (int i = -1; i <= scene->frames.count() && i < 4; ++i) {
            scene->frameIndex = i;
            anim::inbetweenSceneFrame(doc);
            anim::applySceneFrame(doc);
            anim::nextSceneFrame(doc);
            anim::previousSceneFrame(doc);
            anim::previewSceneFrame(doc, 1);
        }
        anim::recordSceneFrame(doc, clipboard.data());
        anim::applySceneFrame(doc, clipboard.data());
        scene->frameIndex = scene->frames.count();
        anim::recordSceneFrame(doc);
        anim::deleteSceneFrame(doc);
    }
}

} // namespace

std::string md6(const uint8_t* data, size_t size)
{
    Quiet quiet;
    anim::Motion motion;
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (anim::parseMotion(input, motion) != anim::ReadStatus::ok) return "";
    if (motion.name.find_first_of(std::string(" \t\n\v\f\r\0", 7)) != std::string::npos) return "";
    const std::string first = anim::motionFileBytes(motion);
    anim::Motion back;
    if (anim::parseMotion(first, back) != anim::ReadStatus::ok) return "a written motion does not read back";
    if (anim::motionFileBytes(back) != first) return "a motion changed on its way through a file";
    return "";
}

std::string md7(const uint8_t* data, size_t size)
{
    Quiet quiet;
    Loader loader;
    anim::SilentSoundDevice silence;
    anim::AnimationDocument doc(loader, silence);
    const std::string input(reinterpret_cast<const char*>(data), size);
    const anim::Md7Status status = anim::parseAnimation(doc, input, kDirectory);
    std::string first;
    const bool written = status == anim::Md7Status::ok && anim::animationFileBytes(doc, kDirectory, first);
    exerciseFrames(doc);
    if (!written) return "";
    anim::AnimationDocument again(loader, silence);
    if (anim::parseAnimation(again, first, kDirectory) != anim::Md7Status::ok)
        return "a written animation does not read back";
    std::string second;
    if (!anim::animationFileBytes(again, kDirectory, second)) return "a read-back animation cannot be written";
    if (second != first) return "an animation changed on its way through a file";
    return "";
}

} // namespace quillo::fuzz
