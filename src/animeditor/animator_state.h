// The animation editor's working state: what the pose commands act on, the
// step and drag choices, the scale factor, the file of the document and the
// last mouse sample.
#pragma once

#include <string>

namespace quillo::anim {
class AnimObject;
}

namespace quillo::animeditor {

enum AnimeMode { modeCamera = 0, modeObject = 1, modePart = 2 };

struct AnimatorState {
    int mode = modeCamera;
    anim::AnimObject* currentobject = nullptr; // an object of the current scene, or none
    int currentpart = -1;                      // index into the object's part list, -1 none
    int movestep = 6, rotstep = 6;
    int mousehorizontal = 0; // 707..712 or 0
    int mousevertical = 0;   // 702..706 or 0
    float dt = 0.0125f;
    std::string filename; // used by "上書き保存"
    int mousex = -1, mousey = -1, mousebuttons = -1;
};

} // namespace quillo::animeditor
