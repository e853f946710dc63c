// The face tools: arming one of the fourteen tools, applying it to the
// rubber-band selection or to the picked face ("実行"), undoing a split on
// the picked face ("逆実行"), and the shared-midpoint search that keeps
// neighbouring faces joined when they are split one after the other.
#pragma once

#include <cstdint>

#include "editor_state.h"
#include "model/colour_table.h"
#include "model/model.h"

namespace quillo {

// Tool numbers as `EditorState::tool` holds them.
enum FaceTool {
    toolMoveToPart = 1,
    toolDelete = 2,
    toolCrossSplit = 3,
    toolHorizontalSplit = 4,
    toolVerticalSplit = 5,
    toolDiagonal = 6,
    toolExtrude = 7,
    toolDoubleSided = 8,
    toolAddPoint = 9,
    toolChangePoint = 10,
    toolColour = 11,
    toolTexture = 12,
    toolTwistFix = 13,
    toolTurnOver = 14,
};

// Commands 500..513 arm the tools 1..14 with their status-line names.
constexpr int firstToolCommand = 500;
constexpr int lastToolCommand = 513;

// Arms the tool of `command` (500..513). False for any other command.
bool armFaceTool(EditorState& state, int command);

// Where a face lives: the part and its index there, or none.
struct FaceLocation {
    ModelPart* part = nullptr;
    int index = -1;
    bool found() const { return part != nullptr; }
};

// The first face in the object's parts (root first, then each subtree in
// pre-order) whose corners equal `corners` up to a cyclic rotation.
FaceLocation findSameFace(const ModelObject& object, const int32_t (&corners)[4]);

// The vertex at the middle of the edge (i, j), snapped to the grid: a
// point that splitting a neighbouring face already put there when there is
// one, otherwise a new vertex appended to the object (a copy of i at the
// new place). -1 when the object has no vertices or i, j are not vertices.
int32_t midpoint(ModelObject& object, int32_t i, int32_t j);

// Applies the armed tool to face `index` of `part` (tools 1-8 and 11-14;
// the point tools 9 and 10 act only through execute). False when the tool
// could not act: none armed, the texture tool without a current texture,
// the colour tool without a current colour, or a face that names missing
// vertices.
bool applyFaceTool(EditorState& state, const GMTBL& table, ModelPart& part, int index);

// "実行": applies the armed tool to every selected face (and empties the
// selection) or, without a selection, to the picked face. True when the
// model may have changed; the caller then rebuilds the view.
bool execute(EditorState& state, const GMTBL& table);

// "逆実行": merges the pieces of a split back into the picked face (the
// piece that kept the face's first corner), for the armed split tool. True
// when the faces were merged; the caller then rebuilds the view, which also
// drops the midpoints no face uses any more.
bool reverseexecute(EditorState& state);

} // namespace quillo
