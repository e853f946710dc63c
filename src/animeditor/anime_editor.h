// The animation editor without its window: the engine (device layer, model
// table, camera), the animation document, the working state and the command
// dispatcher. The window, a test or a --script run feeds it commands and
// mouse input and draws when it says so.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "anime_commands.h"
#include "anime_dialogs.h"
#include "anime_settings.h"
#include "animation/animation_stage.h"
#include "animator_state.h"
#include "platform/editor_host.h"
#include "platform/pose_steps.h"

namespace quillo::animeditor {

// The pose clipboard: a scene frame or a motion frame, kept with its kind
// and size so that it is pasted only where it fits.
struct PoseClipboard {
    enum Kind { empty, sceneFrame, motionFrame } kind = empty;
    std::vector<unsigned char> bytes;
};

// The engine's start-up settings from the stored ones.
engine3d::EngineSettings engineSettingsOf(const AnimatorSettings& settings);
// "MaxWidth" and "MaxHight" limited to 10 .. the screen size (a screen
// size below 10 is not known and limits nothing).
void limitDrawingArea(AnimatorSettings& settings, int screenWidth, int screenHeight);

class AnimeEditor {
public:
    // Starts the engine with `engine` (its text line drawn by `text`, when
    // given); ready() tells whether it started.
    AnimeEditor(AnimeDialogs& dialogs, anim::SoundDevice& sound, const engine3d::EngineSettings& engine,
                EditorHost* host = nullptr, engine3d::TextRasteriser* text = nullptr);
    ~AnimeEditor();
    AnimeEditor(const AnimeEditor&) = delete;
    AnimeEditor& operator=(const AnimeEditor&) = delete;
    bool ready() const { return stage_.ready(); }

    // Runs one command through the command table; true when the view must
    // be drawn again. Unknown numbers do nothing.
    bool dispatch(int command);
    bool dispatch(Cmd command) { return dispatch(id(command)); }
    const CommandTable& commands() const { return commands_; }
    // A mouse sample (command 0): position in drawing-area pixels and the
    // button sum (right 1, middle 2, left 4). True when the view changed.
    bool mouse(int x, int y, int buttons);

    // The first scene "第一幕" made current, then `file` (when not empty)
    // read as the document and the object choice run.
    void start(const std::string& file);
    // Draws one frame of the current scene; false when it was skipped.
    bool drawFrame();
    // "%d %d %d  %d %d       ", or empty without a current object and part.
    std::string statusLine() const;

    // Object and part choice through the select boxes and selector windows.
    void objectChoice();
    bool partChoice();
    // A click in "DSELOBJ" / "DSELPRT".
    void selectobject(int index);
    void selectpart(int index);
    // Makes scene `index` current (-1: the first, forgetting the current one).
    void makeSceneCurrent(int index);
    int sceneIndex() const;
    // After a pose or frame change: world matrices of the current scene; true (redraw).
    bool sceneChanged();
    // The document emptied as "新規作成" does, without naming the first scene.
    void resetDocument();
    // The scene "第一幕" renamed by "場面名を入力してください" after a reset.
    void askFirstSceneName();

    // Pose handling.
    bool poseCommand(int command);
    bool applyPose();
    bool chooseStep(int command);
    float moveDistance() const { return quillo::moveDistance(state.movestep, state.dt); }
    float rotationAngle() const { return quillo::rotationAngle(state.rotstep); }
    // The engine node the mode poses, or null when nothing is posed.
    engine3d::BLOCK* posedBlock() const;
    // Sets the pose of camera, object or part directly (the script's setpose).
    bool setPose(int mode, const WorkingPose& pose);

    // One step of playback: the next frame of the saver's order shown.
    anim::PlaybackStep playStep();
    anim::PlaybackSequencer& playback() { return stage_.playback; }
    // Starts playback from the first frame of the first scene, or stops it
    // (silencing the sounds and showing the scene that was current before).
    bool togglePlayback();
    bool playing() const { return playing_; }

    bool zoomBy(int32_t (*rule)(int32_t));
    bool zoomTo();
    bool scaleFactor();

    std::vector<std::string> objectNames() const;
    std::vector<std::string> partNames() const;
    engine3d::OBJCT* engineObject() const;
    anim::Motion* currentMotion() const;

    // The line and the background that frames show.
    void showDialogue(const std::string& line) { stage_.showDialogue(line); }
    void showBackground(const std::string& path) { stage_.showBackground(path); }
    const std::string& shownDialogue() const { return stage_.shownDialogue(); }
    const std::string& shownBackground() const { return stage_.shownBackground(); }

    AnimeDialogs& dialogs() { return dialogs_; }
    EditorHost& host() { return *host_; }
    anim::AnimationDocument& document() { return stage_.document(); }
    const anim::AnimationDocument& document() const { return stage_.document(); }
    engine3d::DeviceLayer& layer() { return stage_.layer(); }
    engine3d::CAM& camera() { return stage_.camera(); }
    int zoom() const { return stage_.zoom(); }
    anim::AnimationStage& stage() { return stage_; }

    AnimatorState state;
    PoseClipboard clipboard;
    // Writes one exported picture (frame `n` of `count`) to `path`; false
    // stops the export (a failed write, or the user cancelled). Set by the
    // window; without it nothing is exported.
    std::function<bool(const std::string& path, int n, int count, std::string& why)> frameWriter;
    AnimatorSettings settings;
    SettingsStore* store = nullptr; // where the options dialog writes; none in tests

private:
    void readPose();
    void fillPartSelector();

    AnimeDialogs& dialogs_;
    EditorHost defaultHost_;
    EditorHost* host_;
    MessageSink* previousSink_;
    anim::AnimationStage stage_;
    CommandTable commands_;
    WorkingPose pose_;
    bool poseRead_ = false;
    bool playing_ = false;
    int sceneBeforePlayback_ = 0;
};

// Playback steps every `interval` ms: how many steps are due after
// `elapsed` ms when `done` have been taken. A late timer takes them all
// (the sequence is never skipped); only the picture between them is.
int64_t stepsDue(int64_t elapsed, int64_t done, int interval);
inline constexpr int playbackInterval = 12; // ms

} // namespace quillo::animeditor
