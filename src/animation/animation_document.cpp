#include "animation_document.h"

#include "anim_messages.h"
#include "model/messages.h"
#include "stage_view.h"
#include "token_reader.h"

namespace quillo::anim {

AnimationDocument::AnimationDocument(ModelLoader& loader, SoundDevice& sound)
    : music(sound), models(loader)
{
    scenes.push_back(std::make_unique<Scene>("第一幕"));
    currentScene = scenes.front().get();
    dialogue.emplace_back();
    backgrounds.emplace_back();
}

void AnimationDocument::reset()
{
    scenes.resize(1);
    currentScene = scenes.front().get();
    currentScene->clear();
    dialogue.resize(1);
    currentDialogue = 0;
    if (view) view->showDialogue("");
    music.closeAll();
    backgrounds.resize(1);
    currentBackground = 0;
    selectedObject = nullptr;
    motions.clear();
    models.clear();
}

Scene& AnimationDocument::addScene(const std::string& name)
{
    scenes.push_back(std::make_unique<Scene>(name));
    currentScene = scenes.back().get();
    return *currentScene;
}

bool AnimationDocument::findOrLoadModel(const std::string& modelPath)
{
    Scene& scene = current();
    if (int(scene.models.size()) >= kMaxSceneModels) {
        errorbox(formatMessage("%s", text::sceneFull));
        return false;
    }
    AnimModel* model = nullptr;
    if (!scene.usesPath(modelPath))
        for (int i = 0; i < models.count() && !model; ++i)
            if (models.path(i) == modelPath) model = &models.model(i);
    if (!model) model = models.load(modelPath);
    return model && scene.addModel(*model, modelPath);
}

int AnimationDocument::addDialogue(const std::string& line)
{
    if (!isStorableToken(line)) {
        errorbox(formatMessage(text::unstorable, line.c_str()));
        return -1;
    }
    dialogue.push_back(cutToken(line, kLineBytes));
    return int(dialogue.size()) - 1;
}

int AnimationDocument::addBackground(const std::string& backgroundPath)
{
    if (!isStorableToken(backgroundPath)) {
        errorbox(formatMessage(text::unstorable, backgroundPath.c_str()));
        return -1;
    }
    backgrounds.push_back(backgroundPath);
    return int(backgrounds.size()) - 1;
}

} // namespace quillo::anim
