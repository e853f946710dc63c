// The playback of saver, preview and xscreensaver modes without a window:
// the engine with the animation on it, the step timing, and what the
// window shows when the 3D set-up or loading failed (the five-line failure
// display, with the set-up failure texts drawn above it).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "animation/animation_stage.h"
#include "saver_settings.h"
#include "step_timer.h"

namespace quillo {

// "初期化に失敗" … "確認してください", drawn at 0, 17, 34, 51 and 68 pixels
// from the top at the left edge.
inline constexpr const char* failureLines[5] = {"初期化に失敗", "DirectDrawと", "Direct3Dが",
                                                "SETUPされているか", "確認してください"};
inline constexpr int failureLineStep = 17;

// The engine's start-up settings of the saver: Gouraud shading, no
// perspective-correct texturing, no dithering, the first driver for
// 256 colours, a target of `width` x `height`.
engine3d::EngineSettings saverEngineSettings(const SaverSettings& settings, int width, int height);

class SaverPlayer {
public:
    SaverPlayer(anim::SoundDevice& sound, engine3d::TextRasteriser* text = nullptr)
        : sound_(sound), text_(text)
    {
    }
    ~SaverPlayer() { release(); }
    SaverPlayer(const SaverPlayer&) = delete;
    SaverPlayer& operator=(const SaverPlayer&) = delete;

    // Sets up the engine at `width` x `height`, loads the animation and
    // takes the first step at `now` (milliseconds). False when any of it
    // failed (the messages went to the message sink): failed() is then set.
    bool start(const SaverSettings& settings, int width, int height, int64_t now);
    // A step and a frame when one is due at `now`; true when drawn.
    bool tick(int64_t now);
    // Milliseconds until the next step is due (0: now); -1 while not running.
    int64_t untilNext(int64_t now) const;
    // A new drawing size (preview and xscreensaver windows): the target is
    // made again at once, limited to 10 .. the mode size.
    bool resize(int width, int height);

    bool running() const { return running_; }
    bool failed() const { return failed_; }
    int64_t steps() const { return steps_; }
    // Null before start() and after release().
    anim::AnimationStage* stage() { return stage_.get(); }

    // Stops playback, silences the music and gives back the animation and
    // the engine. Safe to call more than once.
    void release();

private:
    bool step(int64_t now);

    anim::SoundDevice& sound_;
    engine3d::TextRasteriser* text_;
    std::unique_ptr<anim::AnimationStage> stage_;
    StepTimer timer_{12};
    SaverSettings settings_;
    bool running_ = false, failed_ = false;
    int64_t steps_ = 0;
};

} // namespace quillo
