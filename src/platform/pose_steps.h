// The pose handling that both editors share: the working pose that the
// move and turn commands change, the step sizes, the right-button drag
// factors, the zoom rules and the reading of typed numbers. Each editor
// gives its own command numbers through PoseCommandIds.
#pragma once

#include <cstdint>
#include <string>

namespace quillo {

// What a pose command acts on, read before the command and applied after:
// position x, y, z in model units and the angles a (about X), b (about Z)
// and c (about Y) in radians.
struct WorkingPose {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float a = 0.0f, b = 0.0f, c = 0.0f;
};

// The numbers of one editor's pose, step and mouse commands.
struct PoseCommandIds {
    int plusX, minusX, plusY, minusY, plusZ, minusZ;    // one movement step
    int turnUp, turnDown, turnLeft, turnRight;          // a and c by one rotation step
    int twistLeft, twistRight;                          // b by one rotation step
    int firstMoveStep, firstRotationStep;               // the six step choices start here
    int verticalX, verticalY, verticalZ, verticalTurn, verticalNone;         // vertical drag assignments
    int horizontalX, horizontalY, horizontalZ, horizontalTurn, horizontalBank, horizontalNone;
};

// The ids of an editor whose command enum names the pose, step and drag
// commands alike (PlusX … DragHorizontalNone).
template <class Cmd>
PoseCommandIds poseIdsOf()
{
    auto n = [](Cmd c) { return static_cast<int>(c); };
    return {n(Cmd::PlusX),           n(Cmd::MinusX),          n(Cmd::PlusY),           n(Cmd::MinusY),
            n(Cmd::PlusZ),           n(Cmd::MinusZ),          n(Cmd::TurnUp),          n(Cmd::TurnDown),
            n(Cmd::TurnLeft),        n(Cmd::TurnRight),       n(Cmd::TwistLeft),       n(Cmd::TwistRight),
            n(Cmd::MoveStep1),       n(Cmd::RotationStep1),   n(Cmd::DragVerticalX),   n(Cmd::DragVerticalY),
            n(Cmd::DragVerticalZ),   n(Cmd::DragVerticalTurn), n(Cmd::DragVerticalNone), n(Cmd::DragHorizontalX),
            n(Cmd::DragHorizontalY), n(Cmd::DragHorizontalZ), n(Cmd::DragHorizontalTurn), n(Cmd::DragHorizontalBank),
            n(Cmd::DragHorizontalNone)};
}

// One movement step: 5^(movestep - 1) grid steps of `dt`.
float moveDistance(int movestep, float dt);
// One rotation step: 2^(rotstep - 1) x pi/960 (pi/960 is 3/16 of a degree,
// so step 6 turns by 6 degrees).
float rotationAngle(int rotstep);

// Changes `pose` by one step when `command` is one of the twelve pose
// commands; false (pose unchanged) for any other command.
bool stepPose(WorkingPose& pose, int command, const PoseCommandIds& ids, float distance, float angle);

// A right-button drag of (dx, dy) pixels under the chosen assignments: a
// pixel moves a tenth of a movement step and turns a fifth of a rotation
// step; Z and the vertical turn go against the mouse so that dragging up
// moves and tips the thing away. False when neither assignment moves.
bool dragPose(WorkingPose& pose, int horizontal, int vertical, float dx, float dy, const PoseCommandIds& ids,
              float distance, float angle);

// What a step choice command sets: 1..6 through `movestep` or `rotstep`,
// or a drag assignment through `horizontal` or `vertical`. False for any
// other command.
bool chooseStep(int command, const PoseCommandIds& ids, int& movestep, int& rotstep, int& horizontal,
                int& vertical);

// A typed number as "%g" reads it: the number at the start of the text.
// False when there is none, or it is not finite.
bool readReal(const std::string& text, double& value);

// Zoom (256 = 1.0) doubled or halved; doubling stops before it could
// overflow and halving never reaches 0.
int32_t zoomUp(int32_t zoom);
int32_t zoomDown(int32_t zoom);
// The zoom of a typed factor (x 256.1, truncated); `zoom` unchanged when
// the answer is not a number or gives 0.
void zoomFromAnswer(const std::string& answer, int32_t& zoom);

// A typed scale factor (grid step); false with `refused` set when the
// answer is a number that is not above zero ("ｽｹｰﾙﾌｧｸﾀは０より大きい数に
// してください" must then be shown), false without it when it is no number.
bool readScaleFactor(const std::string& answer, float& step, bool& refused);

} // namespace quillo
