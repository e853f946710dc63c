// The pose commands of the animation editor: the working pose read from the
// camera, the current object or its current part, changed by a move or turn
// command or a right-button drag, and applied back (the camera placed,
// objects and parts turned about their own axes).
#include "anime_editor.h"

#include <cstdio>

#include "engine3d/objct.h"

namespace quillo::animeditor {

engine3d::BLOCK* AnimeEditor::posedBlock() const
{
    engine3d::OBJCT* o = engineObject();
    if (!o || !ready()) return nullptr;
    switch (state.mode) {
    case modeCamera: return stage_.cameraNode();
    case modeObject: return o;
    case modePart: return state.currentpart >= 0 && state.currentpart < o->partList.count() ? o->partList[state.currentpart] : nullptr;
    default: return nullptr;
    }
}

void AnimeEditor::readPose()
{
    const engine3d::BLOCK* b = posedBlock();
    poseRead_ = b != nullptr;
    if (b) pose_ = {b->position[0], b->position[1], b->position[2], b->angles[0], b->angles[1], b->angles[2]};
}

bool AnimeEditor::applyPose()
{
    engine3d::BLOCK* b = posedBlock();
    if (!poseRead_ || !b) return false;
    const auto [x, y, z, a, bank, c] = pose_;
    if (state.mode == modeCamera)
        b->place(x, y, z, a, bank, c);
    else
        b->turnPose(x, y, z, a, bank, c);
    return sceneChanged();
}

bool AnimeEditor::setPose(int mode, const WorkingPose& pose)
{
    const int saved = state.mode;
    state.mode = mode;
    readPose();
    if (poseRead_) pose_ = pose;
    // The camera is placed; objects and parts take the pose as it stands.
    engine3d::BLOCK* b = posedBlock();
    const bool done = poseRead_ && b;
    if (done) b->place(pose.x, pose.y, pose.z, pose.a, pose.b, pose.c);
    state.mode = saved;
    return done && sceneChanged();
}

bool AnimeEditor::poseCommand(int command)
{
    return stepPose(pose_, command, animePoseIds(), moveDistance(), rotationAngle()) && applyPose();
}

bool AnimeEditor::chooseStep(int command)
{
    quillo::chooseStep(command, animePoseIds(), state.movestep, state.rotstep, state.mousehorizontal,
                       state.mousevertical);
    return false;
}

bool AnimeEditor::mouse(int x, int y, int buttons)
{
    readPose();
    bool changed = false;
    if (buttons == 1 && state.mousebuttons == 1 && (x != state.mousex || y != state.mousey))
        if (dragPose(pose_, state.mousehorizontal, state.mousevertical, float(x - state.mousex),
                     float(y - state.mousey), animePoseIds(), moveDistance(), rotationAngle()))
            changed = applyPose();
    state.mousex = x;
    state.mousey = y;
    state.mousebuttons = buttons;
    return changed;
}

bool AnimeEditor::zoomBy(int32_t (*rule)(int32_t))
{
    if (!ready()) return false;
    const int32_t z = rule(camera().zoom);
    if (z <= 0 || z == camera().zoom) return false;
    stage_.engineCamera().setZoom(z);
    layer().refreshAll();
    return true;
}

bool AnimeEditor::zoomTo()
{
    if (!ready()) return false;
    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "倍率 :%g", double(camera().zoom) / 256.0);
    std::string answer;
    if (dialogs_.inputBox(prompt, answer) < 0) return false;
    int32_t z = camera().zoom;
    zoomFromAnswer(answer, z);
    if (z > 0 && z != camera().zoom) {
        stage_.engineCamera().setZoom(z);
        layer().refreshAll();
    }
    return false;
}

bool AnimeEditor::scaleFactor()
{
    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "ｽｹｰﾙﾌｧｸﾀ :%g", double(state.dt));
    std::string answer;
    if (dialogs_.inputBox(prompt, answer) < 0) return false;
    bool refused = false;
    float step = state.dt;
    if (readScaleFactor(answer, step, refused))
        state.dt = step;
    else if (refused)
        errorbox("ｽｹｰﾙﾌｧｸﾀは０より大きい数にしてください");
    return false;
}

} // namespace quillo::animeditor
