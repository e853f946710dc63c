// The model editor's working state: mode, steps, picks, selection and the
// current object, part, colour and texture.
#pragma once

#include <climits>
#include <string>
#include <vector>

#include "model/model.h"

namespace quillo {

enum EditMode { modeCamera = 0, modeObject = 1, modePart = 2, modePoint = 3, modeTexture = 4, modePartGeometry = 5 };

// The armed face tool: 1..14 for commands 500..513, pointChangeWaiting while
// the point-change tool waits for its second point.
constexpr int noTool = -1;
constexpr int pointChangeWaiting = 100;

struct FaceCorners {
    int32_t c[4] = {-1, -1, -1, -1};
    bool valid() const { return c[0] >= 0 && c[1] >= 0 && c[2] >= 0 && c[3] >= 0; }
    void clear() { c[0] = c[1] = c[2] = c[3] = -1; }
};

struct EditorState {
    int mode = modeObject;
    bool symmetry = true;
    int movestep = 6;
    int rotstep = 6;
    int mousehorizontal = 0;
    int mousevertical = 0;
    int tool = noTool;
    std::string toolname;
    std::string filename;
    ModelObject* currentobject = nullptr;
    ModelPart* currentpart = nullptr;
    int currentcolour = 0;
    int currenttexture = -1;
    int32_t pickpoint = -1;
    FaceCorners pickface;
    FaceCorners heldface;
    int heldcorner = 0;
    // Faces gathered with the rubber band, as face records of the current object.
    std::vector<Face> selection;
    int picklimit = INT_MAX;
    int anchorx = -1, anchory = -1;
    // The last mouse sample, for right-button drags.
    int mousex = -1, mousey = -1, mousebuttons = 0;
};

} // namespace quillo
