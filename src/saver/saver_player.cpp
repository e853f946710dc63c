#include "saver_player.h"

#include <algorithm>

#include "animation/md7_file.h"

namespace quillo {

engine3d::EngineSettings saverEngineSettings(const SaverSettings& s, int width, int height)
{
    engine3d::EngineSettings e;
    e.driver = s.eightbit ? 0 : -1;
    e.dither = false;
    e.gouraud = true;
    e.persCorrect = false;
    e.zoff = !s.zbuffer;
    e.fullscreen = false; // a full-screen window: the engine never switches the display
    e.maxWidth = std::max(width, 10);
    e.maxHight = std::max(height, 10);
    return e;
}

bool SaverPlayer::start(const SaverSettings& settings, int width, int height, int64_t now)
{
    release();
    settings_ = settings;
    failed_ = true;
    stage_ = std::make_unique<anim::AnimationStage>(sound_, saverEngineSettings(settings, width, height), text_);
    if (!stage_->ready()) return false;
    if (anim::readAnimation(stage_->document(), settings.animfile) != anim::Md7Status::ok) return false;
    failed_ = false;
    running_ = true;
    timer_ = StepTimer(settings.interval);
    timer_.start(now);
    stage_->playback.restart();
    return step(now);
}

bool SaverPlayer::step(int64_t)
{
    stage_->playStep();
    ++steps_;
    return stage_->drawFrame();
}

bool SaverPlayer::tick(int64_t now)
{
    if (!running_ || !timer_.due(now)) return false;
    return step(now);
}

int64_t SaverPlayer::untilNext(int64_t now) const { return running_ ? timer_.untilNext(now) : -1; }

bool SaverPlayer::resize(int width, int height)
{
    if (!running_) return false;
    width = std::clamp(width, 10, std::max(settings_.modewidth, 10));
    height = std::clamp(height, 10, std::max(settings_.modeheight, 10));
    engine3d::DeviceLayer& layer = stage_->layer();
    if (width == layer.width() && height == layer.height()) return false;
    running_ = false; // nothing is drawn while the buffers are made again
    const bool made = layer.resize(width, height);
    running_ = made;
    failed_ = !made;
    if (made) stage_->sceneSwitched();
    return made;
}

void SaverPlayer::release()
{
    running_ = false;
    if (!stage_) return;
    stage_->document().music.select(0);
    stage_.reset();
}

} // namespace quillo
