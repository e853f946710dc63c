#include "playback.h"

#include "animation_document.h"
#include "scene_frames.h"
#include "stage_view.h"

namespace quillo::anim {

PlaybackStep playbackStep(AnimationDocument& doc, PlaybackSequencer& sequencer)
{
    const PlaybackStep step = sequencer.advance(int(doc.scenes.size()),
                                                [&](int p) { return doc.scenes[size_t(p)]->frames.count(); });
    Scene& scene = *doc.scenes[size_t(step.scene)];
    if (step.sceneChanged) {
        doc.currentScene = &scene;
        if (doc.currentDialogue != 0) {
            doc.currentDialogue = 0;
            if (doc.view) doc.view->showDialogue("");
        }
        applySceneFrame(doc);
    }
    scene.frameIndex = step.frame;
    applySceneFrame(doc);
    return step;
}

} // namespace quillo::anim
