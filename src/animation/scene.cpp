#include "scene.h"

#include "anim_messages.h"
#include "anim_model.h"
#include "model/messages.h"
#include "pattern_words.h"

namespace quillo::anim {

SceneLayout sceneLayout(const std::vector<AnimObject*>& objects)
{
    SceneLayout layout;
    if (objects.empty()) return layout;
    const int n = int(objects.size());
    layout.headerSize = 16;
    layout.recordSize = 40 + 24 * n;
    layout.usedBytes = 40 + 24 * n;
    for (AnimObject* object : objects) {
        const int words = 4 * patternWordCount(object->textureCount());
        layout.headerSize += words;
        layout.recordSize += layout.headerSize;
        layout.usedBytes += words;
        for (int i = 0; i < object->nodeCount(); ++i) {
            layout.recordSize += object->node(i).poseSize();
            layout.usedBytes += object->node(i).poseSize();
        }
    }
    return layout;
}

bool Scene::addModel(AnimModel& model, const std::string& path)
{
    if (int(models.size()) >= kMaxSceneModels) {
        errorbox(formatMessage("%s", text::sceneFull));
        return false;
    }
    models.push_back(&model);
    modelPaths.push_back(path);
    for (int i = 0; i < model.objectCount(); ++i) objects.push_back(&model.object(i));
    layout_ = sceneLayout(objects);
    frames.reset(layout_.recordSize);
    frameIndex = 0;
    return true;
}

void Scene::clear()
{
    models.clear();
    modelPaths.clear();
    objects.clear();
    layout_ = SceneLayout();
    frames.reset(0);
    frameIndex = 0;
}

bool Scene::usesPath(const std::string& path) const
{
    for (const std::string& p : modelPaths)
        if (p == path) return true;
    return false;
}

} // namespace quillo::anim
