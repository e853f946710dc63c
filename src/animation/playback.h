// The playback order shared by the editor's play mode and the screen saver:
// every frame of every scene in turn, then the first scene again, forever.
// It keeps no clock; the caller decides when the next step is due.
#pragma once

namespace quillo::anim {

class AnimationDocument;

struct PlaybackStep {
    int scene = 0;
    int frame = 0;
    bool sceneChanged = false; // the scene differs from the one shown last
};

class PlaybackSequencer {
public:
    // The next scene and frame, given how many scenes there are and how
    // many frames each has. A scene without frames takes one step showing
    // nothing new and is passed by the next.
    template <class FrameCount>
    PlaybackStep advance(int sceneCount, FrameCount frameCount)
    {
        if (sceneCount <= 0) return {};
        if (p_ < sceneCount && k_ >= frameCount(p_)) {
            k_ = 0;
            ++p_;
        }
        if (p_ >= sceneCount) {
            p_ = 0;
            k_ = 0;
        }
        PlaybackStep step{p_, k_, p_ != shown_};
        shown_ = p_;
        ++k_;
        return step;
    }
    // Starts again from the first frame of the first scene.
    void restart() { *this = PlaybackSequencer(); }

private:
    int k_ = 0;
    int p_ = 0;
    int shown_ = -1;
};

// One playback step on the document: switches to the next scene when due
// (blanking a shown dialogue line and applying the scene's current frame),
// then sets the scene's frame index and applies that frame. The caller then
// updates the world matrices and renders. Returns the step taken.
PlaybackStep playbackStep(AnimationDocument& doc, PlaybackSequencer& sequencer);

} // namespace quillo::anim
