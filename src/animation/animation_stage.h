// The engine and one animation on it, as both the animation editor and the
// screen saver show them: the device layer, the engine's model table and
// loader, the animation document, the camera, and the playback sequencer.
// It draws the current scene, takes playback steps and shows the dialogue
// line and background that frames name.
#pragma once

#include <memory>
#include <string>

#include "animation_document.h"
#include "engine_adapter.h"
#include "playback.h"
#include "stage_view.h"
#include "engine3d/device_layer.h"
#include "engine3d/model_table.h"

namespace quillo::anim {

class SoundDevice;

class AnimationStage : public StageView {
public:
    // Starts the engine with `engine` (its text line drawn by `text`, when
    // given); ready() tells whether it started. Start-up failures have been
    // reported through the message sink by then.
    AnimationStage(SoundDevice& sound, const engine3d::EngineSettings& engine, engine3d::TextRasteriser* text = nullptr);
    // The models go before the engine they were loaded into.
    ~AnimationStage() override;
    AnimationStage(const AnimationStage&) = delete;
    AnimationStage& operator=(const AnimationStage&) = delete;
    bool ready() const { return camera_ != nullptr; }

    // Draws one frame of the current scene; false when it was skipped.
    bool drawFrame();
    // After another scene became current: the camera is built again and
    // the next frame redraws the whole target.
    void sceneSwitched();
    // World matrices of the current scene's models after a pose change.
    void updateWorld();
    // One step of playback (the next frame of the saver's order) with the
    // camera and world matrices brought up to date.
    PlaybackStep playStep();
    PlaybackSequencer playback;

    // StageView: the line and the background that frames show.
    void showDialogue(const std::string& line) override;
    void showBackground(const std::string& path) override;
    const std::string& shownDialogue() const { return shownLine_; }
    const std::string& shownBackground() const { return shownBackground_; }

    AnimationDocument& document() { return document_; }
    const AnimationDocument& document() const { return document_; }
    engine3d::DeviceLayer& layer() { return layer_; }
    // Only when ready().
    engine3d::CAM& camera() { return *camera_; }
    engine3d::CAM* cameraNode() const { return camera_.get(); } // null when not ready
    EngineCamera& engineCamera() { return *engineCamera_; }
    int zoom() const { return camera_ ? camera_->zoom : 0; }

private:
    engine3d::DeviceLayer layer_;
    engine3d::ModelTable table_;
    EngineModelLoader loader_;
    AnimationDocument document_;
    std::unique_ptr<engine3d::CAM> camera_;
    std::unique_ptr<EngineCamera> engineCamera_;
    std::string shownLine_, shownBackground_;
};

} // namespace quillo::anim
