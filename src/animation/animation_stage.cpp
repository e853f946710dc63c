#include "animation_stage.h"

#include "engine3d/objct.h"

namespace quillo::anim {

AnimationStage::AnimationStage(SoundDevice& sound, const engine3d::EngineSettings& engine, engine3d::TextRasteriser* text)
    : table_(layer_), loader_(table_, layer_), document_(loader_, sound)
{
    document_.view = this;
    if (!layer_.ddinit(engine, text)) return;
    camera_ = std::make_unique<engine3d::CAM>(layer_.device(), layer_.viewMatrix());
    engineCamera_ = std::make_unique<EngineCamera>(*camera_, layer_);
    document_.camera = engineCamera_.get();
}

AnimationStage::~AnimationStage() { document_.reset(); }

bool AnimationStage::drawFrame()
{
    if (!ready()) return false;
    Scene& scene = document_.current();
    return layer_.rend([&scene](engine3d::Device& device, engine3d::DirtyRects& dirty) {
        for (AnimModel* m : scene.models) engine3d::drawModel(static_cast<EngineModel*>(m)->top(), device, dirty);
    });
}

void AnimationStage::sceneSwitched()
{
    if (camera_) camera_->rebuild();
    layer_.refreshAll();
}

void AnimationStage::updateWorld()
{
    for (AnimModel* m : document_.currentScene->models) engine3d::updateWorld(static_cast<EngineModel*>(m)->top());
}

PlaybackStep AnimationStage::playStep()
{
    const PlaybackStep step = playbackStep(document_, playback);
    if (step.sceneChanged) sceneSwitched();
    updateWorld();
    return step;
}

void AnimationStage::showDialogue(const std::string& line)
{
    shownLine_ = line;
    if (ready()) layer_.showLine(line.empty() ? std::string(80, ' ') : line);
}

void AnimationStage::showBackground(const std::string& path)
{
    shownBackground_ = path;
    if (ready()) {
        layer_.setBackground(path);
        layer_.refreshAll();
    }
}

} // namespace quillo::anim
