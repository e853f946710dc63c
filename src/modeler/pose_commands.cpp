// The pose commands of the model editor: the working pose read from what
// the mode poses, changed by a move or turn command or a right-button
// drag, and applied back.
#include "model_editor.h"

#include "model/fixed_point.h"
#include "softrender/transform.h"
#include "softrender/vertex_prep.h"

namespace quillo {

namespace {

// A coordinate computed by an editing command is biased by a fifth of a
// grid step away from zero, so that truncating it gives the grid unit it stands for.
float snapAway(float v, float step)
{
    if (v > 0.0f) return v + 0.2f * step;
    if (v < 0.0f) return v - 0.2f * step;
    return v;
}

} // namespace

void ModelEditor::readPose()
{
    poseRead_ = false;
    ModelObject* o = state.currentobject;
    if (!o) return;
    const ModelNode* node = nullptr;
    switch (state.mode) {
    case modeCamera: node = &document; break;
    case modeObject: node = o; break;
    case modePart:
        if (!state.currentpart) return;
        node = state.currentpart;
        break;
    case modePoint: {
        const Vertex* v = o->vertices.at(state.pickpoint);
        pose_ = {v ? v->x : o->position[0], v ? v->y : o->position[1], v ? v->z : o->position[2],
                 o->angles[0], o->angles[1], o->angles[2]};
        poseRead_ = true;
        return;
    }
    case modeTexture: {
        const Texture* t = o->textures.at(state.currenttexture);
        pose_ = {t ? float((int64_t(t->x0) + t->x1) / 2) * dt : 0.0f, t ? float((int64_t(t->y0) + t->y1) / 2) * dt : 0.0f,
                 0.0f, o->angles[0], o->angles[1], o->angles[2]};
        poseRead_ = true;
        return;
    }
    case modePartGeometry:
        if (!state.currentpart) return;
        pose_ = {0.0f, 0.0f, 0.0f, state.currentpart->angles[0], state.currentpart->angles[1],
                 state.currentpart->angles[2]};
        poseRead_ = true;
        return;
    default: return;
    }
    pose_ = {node->position[0], node->position[1], node->position[2], node->angles[0], node->angles[1], node->angles[2]};
    poseRead_ = true;
}

int32_t ModelEditor::mirrorPartner(int32_t point) const
{
    const ModelObject& o = *state.currentobject;
    const Vertex* v = o.vertices.at(point);
    if (!v || v->x == 0.0f) return -1;
    const int32_t gx = truncToInt(v->x / dt), gy = truncToInt(v->y / dt), gz = truncToInt(v->z / dt);
    for (int i = o.vertices.count() - 1; i >= 0; --i) {
        const Vertex& w = o.vertices[i];
        if (truncToInt(w.x / dt) == -gx && truncToInt(w.y / dt) == gy && truncToInt(w.z / dt) == gz) return i;
    }
    return -1;
}

void ModelEditor::movePartGeometry(ModelPart& part, float dx, float dy, float dz)
{
    part.position[0] += dx;
    part.position[1] += dy;
    part.position[2] += dz;
    for (Vertex& v : state.currentobject->vertices)
        if (v.owner == &part.world) {
            v.x += dx;
            v.y += dy;
            v.z += dz;
        }
    part.rebuild();
    for (ModelPart* c : part.children) movePartGeometry(*c, dx, dy, dz);
}

bool ModelEditor::applyPose()
{
    ModelObject* o = state.currentobject;
    if (!poseRead_ || !o) return false;
    const auto [x, y, z, a, b, c] = pose_;
    switch (state.mode) {
    case modeCamera: document.place(x, y, z, a, b, c); break;
    case modeObject: turnPose(*o, x, y, z, a, b, c); break;
    case modePart:
        if (state.currentpart) turnPose(*state.currentpart, x, y, z, a, b, c);
        break;
    case modePoint: {
        if (Vertex* v = o->vertices.at(state.pickpoint)) {
            if (state.symmetry) {
                int32_t partner = mirrorPartner(state.pickpoint);
                if (Vertex* m = o->vertices.at(partner)) {
                    m->x = -x;
                    m->y = y;
                    m->z = z;
                }
            }
            bool changed = v->x != x || v->y != y || v->z != z;
            v->x = x;
            v->y = y;
            v->z = z;
            if (changed) prepareVertices(*o);
        }
        o->place(o->position[0], o->position[1], o->position[2], a, b, c);
        break;
    }
    case modeTexture: {
        if (Texture* t = o->textures.at(state.currenttexture)) {
            float du = snapAway(x - float((int64_t(t->x0) + t->x1) / 2) * dt, dt);
            float dv = snapAway(y - float((int64_t(t->y0) + t->y1) / 2) * dt, dt);
            int32_t u = truncToInt(du / dt), v = truncToInt(dv / dt);
            if (u != 0 || v != 0) {
                t->x0 += u;
                t->x1 += u;
                t->y0 += v;
                t->y1 += v;
                redraw();
            }
        }
        o->place(o->position[0], o->position[1], o->position[2], a, b, c);
        break;
    }
    case modePartGeometry:
        if (ModelPart* p = state.currentpart) {
            movePartGeometry(*p, x, y, z);
            p->place(p->position[0], p->position[1], p->position[2], a, b, c);
            if (x != 0.0f || y != 0.0f || z != 0.0f) redraw();
        }
        break;
    default: return false;
    }
    updateWorld(document);
    return true;
}

bool ModelEditor::poseCommand(int command)
{
    return stepPose(pose_, command, modelerPoseIds(), moveDistance(), rotationAngle()) && applyPose();
}

bool ModelEditor::chooseStep(int command)
{
    quillo::chooseStep(command, modelerPoseIds(), state.movestep, state.rotstep, state.mousehorizontal,
                       state.mousevertical);
    return false;
}

bool ModelEditor::mouse(int x, int y, int buttons)
{
    readPose();
    bool changed = false;
    if (buttons == 1 && state.mousebuttons == 1 && (x != state.mousex || y != state.mousey)) {
        const float dx = float(x - state.mousex), dy = float(y - state.mousey);
        if (dragPose(pose_, state.mousehorizontal, state.mousevertical, dx, dy, modelerPoseIds(), moveDistance(),
                     rotationAngle()))
            changed = applyPose();
    }
    // A right-button drag is one step of the history, however many samples it takes.
    if (changed)
        history_.record(document, changeKey(0), cursor(), cursor());
    else if (buttons != 1)
        history_.noteCommand();
    state.mousex = x;
    state.mousey = y;
    state.mousebuttons = buttons;
    // Moving away from the anchor starts picking from the front again.
    if (!banding_ && (x != state.anchorx || y != state.anchory)) {
        state.anchorx = x;
        state.anchory = y;
        state.picklimit = INT_MAX;
    }
    return changed;
}

} // namespace quillo
