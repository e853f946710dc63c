// The animation document: scenes, dialogue lines, the sound table, the
// background images, the loaded models and the motions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model_table.h"
#include "motion.h"
#include "scene.h"
#include "sound_table.h"
#include "token_reader.h"

namespace quillo::anim {

class AnimCamera;
class AnimObject;
class ModelLoader;
class SoundDevice;
class StageView;

class AnimationDocument {
public:
    AnimationDocument(ModelLoader& loader, SoundDevice& sound);

    // Back to one empty scene (the first, with its name) and empty tables;
    // closes every sound and forgets every model and motion.
    void reset();

    Scene& current() { return *currentScene; }
    Scene& addScene(const std::string& name);

    // Adds the model at `path` to the current scene: a model already loaded
    // from this exact path is shared, unless the scene already uses that
    // path, in which case the file is loaded again as a further model. The
    // scene limit is checked before anything is loaded.
    bool findOrLoadModel(const std::string& path);

    // Appends a dialogue line (cut to 89 bytes) or a background path; -1,
    // with a message, for text that would not read back from a file.
    int addDialogue(const std::string& line);
    int addBackground(const std::string& path);

    std::vector<std::unique_ptr<Scene>> scenes; // never empty
    Scene* currentScene;
    std::vector<std::string> dialogue;    // entry 0: no line
    SoundTable music;                     // entry 0: no sound; the current music is music.lastsound
    std::vector<std::string> backgrounds; // entry 0: none
    int currentDialogue = 0;
    int currentBackground = 0;
    std::string directory; // of the file being read or written, with a trailing "/"
    std::string path;      // the file the document came from; empty when it must not be overwritten
    ModelTable models;
    MotionList motions;

    AnimCamera* camera = nullptr;          // not owned; frames pose it when present
    StageView* view = nullptr;             // not owned; shows lines and backgrounds
    AnimObject* selectedObject = nullptr;  // steps its motion with the scene
};

} // namespace quillo::anim
