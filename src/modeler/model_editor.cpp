#include "model_editor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/fixed_point.h"
#include "model/md4_file.h"
#include "model/file_util.h"
#include "editing_commands.h"
#include "picking.h"
#include "softrender/transform.h"
#include "softrender/vertex_prep.h"

namespace quillo {

namespace {

// "%g" reading of an answer: the number at its start, or nothing.
bool readReal(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && std::isfinite(value);
}

float snapAway(float v, float step)
{
    if (v > 0.0f) return v + 0.2f * step;
    if (v < 0.0f) return v - 0.2f * step;
    return v;
}

} // namespace

ModelEditor::ModelEditor(Dialogs& dialogs, SettingsStore& store, EditorHost* host)
    : dialogs_(dialogs), store_(store), host_(host ? host : &defaultHost_),
      previousSink_(setMessageSink(&dialogs))
{
}

ModelEditor::~ModelEditor() { setMessageSink(previousSink_ == &dialogs_ ? nullptr : previousSink_); }

float ModelEditor::moveDistance() const
{
    float d = 1.0f;
    for (int i = 1; i < state.movestep; ++i) d *= 5.0f;
    return d * dt;
}

float ModelEditor::rotationAngle() const
{
    float a = 0.0032724924f;
    for (int i = 1; i < state.rotstep; ++i) a *= 2.0f;
    return a;
}

std::vector<ModelObject*> ModelEditor::allObjects() const
{
    std::vector<ModelObject*> all;
    for (ModelObject* top : document.objects) {
        if (top->objectList && top->objectList->count() > 0)
            for (ModelObject* o : *top->objectList) all.push_back(o);
        else
            all.push_back(top);
    }
    return all;
}

void ModelEditor::redraw()
{
    renumberPicksForRedraw(state);
    quillo::redraw(document, table, lists);
    fillPartSelector();
    host_->requestRepaint();
}

void ModelEditor::drawFrame(Frame& frame) { quillo::drawFrame(document, lists, table, frame); }

void ModelEditor::fillPartSelector()
{
    std::vector<std::string> names;
    int current = 0;
    if (state.currentobject)
        for (int i = 0; i < state.currentobject->partList.count(); ++i) {
            ModelPart* p = state.currentobject->partList[i];
            if (p == state.currentpart) current = i;
            names.push_back(p->name);
        }
    host_->fillPartSelector(names, current);
}

void ModelEditor::closeModel()
{
    document.clearObjects();
    lists = FrameLists{};
    table.clear();
    state.currentobject = nullptr;
    state.currentpart = nullptr;
    state.pickpoint = -1;
    state.pickface.clear();
    state.selection.clear();
    state.currenttexture = -1;
}

bool ModelEditor::openFile(const std::string& path)
{
    ModelDocument loaded;
    if (readModel(loaded, path) != ReadResult::ok) return false;
    closeModel();
    for (ModelObject* o : loaded.objects) document.objects.append(o);
    loaded.objects.reset(); // the objects now belong to this document
    redraw();
    updateWorld(document);
    objectChoice();
    state.filename = path;
    return true;
}

void ModelEditor::start(const std::string& commandLineFile)
{
    std::string file = settings.defaultfile;
    if (!commandLineFile.empty())
        if (FILE* f = std::fopen(commandLineFile.c_str(), "rb")) {
            std::fclose(f);
            file = commandLineFile;
        }
    document.place(0.0f, 0.0f, -175.0f, 0.0f, 0.0f, 0.0f);
    document.zoom = 256;
    if (!file.empty()) {
        state.filename = file;
        openFile(file);
    }
    redraw();
}

void ModelEditor::objectChoice()
{
    std::vector<ModelObject*> all = allObjects();
    std::vector<std::string> names;
    int current = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        names.push_back(all[i]->name);
        if (all[i] == state.currentobject) current = int(i);
    }
    host_->fillObjectSelector(names, current);
    int chosen = selectbox(dialogs_, names, "", current);
    if (chosen < 0) return;
    ModelObject* previous = state.currentobject;
    ModelPart* previousPart = state.currentpart;
    state.currentobject = all[size_t(chosen)];
    state.currentpart = nullptr;
    if (!partChoice()) {
        state.currentobject = previous;
        state.currentpart = previousPart;
        return;
    }
    host_->fillObjectSelector(names, chosen);
}

bool ModelEditor::partChoice()
{
    state.pickpoint = -1;
    state.pickface.clear();
    if (!state.currentobject) return false;
    ModelObject& o = *state.currentobject;
    if (o.partList.count() == 0) prepare(o, table);
    std::vector<std::string> names;
    int current = 0;
    for (int i = 0; i < o.partList.count(); ++i) {
        names.push_back(o.partList[i]->name);
        if (o.partList[i] == state.currentpart) current = i;
    }
    host_->fillPartSelector(names, current);
    int chosen = selectbox(dialogs_, names, "", current);
    if (chosen < 0) return false;
    state.currentpart = o.partList[chosen];
    host_->fillPartSelector(names, chosen);
    return true;
}

void ModelEditor::selectobject(int index)
{
    std::vector<ModelObject*> all = allObjects();
    if (index < 0 || index >= int(all.size())) return;
    if (all[size_t(index)] != state.currentobject) state.currentobject = all[size_t(index)];
    state.currentpart = state.currentobject->partList.count() > 0 ? state.currentobject->partList[0]
                                                                  : state.currentobject->rootPart;
    state.pickpoint = -1;
    state.pickface.clear();
    fillPartSelector();
}

void ModelEditor::selectpart(int index)
{
    state.pickpoint = -1;
    state.pickface.clear();
    if (!state.currentobject || index < 0 || index >= state.currentobject->partList.count()) return;
    state.currentpart = state.currentobject->partList[index];
    if (index == 0) fillPartSelector();
}

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
        pose_[0] = v ? v->x : o->position[0];
        pose_[1] = v ? v->y : o->position[1];
        pose_[2] = v ? v->z : o->position[2];
        for (int i = 0; i < 3; ++i) pose_[3 + i] = o->angles[i];
        poseRead_ = true;
        return;
    }
    case modeTexture: {
        const Texture* t = o->textures.at(state.currenttexture);
        pose_[0] = t ? float((int64_t(t->x0) + t->x1) / 2) * dt : 0.0f;
        pose_[1] = t ? float((int64_t(t->y0) + t->y1) / 2) * dt : 0.0f;
        pose_[2] = 0.0f;
        for (int i = 0; i < 3; ++i) pose_[3 + i] = o->angles[i];
        poseRead_ = true;
        return;
    }
    case modePartGeometry:
        if (!state.currentpart) return;
        pose_[0] = pose_[1] = pose_[2] = 0.0f;
        for (int i = 0; i < 3; ++i) pose_[3 + i] = state.currentpart->angles[i];
        poseRead_ = true;
        return;
    default: return;
    }
    for (int i = 0; i < 3; ++i) {
        pose_[i] = node->position[i];
        pose_[3 + i] = node->angles[i];
    }
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
    const float x = pose_[0], y = pose_[1], z = pose_[2], a = pose_[3], b = pose_[4], c = pose_[5];
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
    const float d = moveDistance(), r = rotationAngle();
    switch (command) {
    case 615: pose_[0] += d; break;
    case 614: pose_[0] -= d; break;
    case 617: pose_[1] += d; break;
    case 616: pose_[1] -= d; break;
    case 612: pose_[2] += d; break;
    case 613: pose_[2] -= d; break;
    case 606: pose_[3] += r; break;
    case 607: pose_[3] -= r; break;
    case 608: pose_[5] -= r; break;
    case 609: pose_[5] += r; break;
    case 610: pose_[4] -= r; break;
    case 611: pose_[4] += r; break;
    default: return false;
    }
    return applyPose();
}

bool ModelEditor::mouse(int x, int y, int buttons)
{
    readPose();
    bool changed = false;
    if (buttons == 1 && state.mousebuttons == 1 && (x != state.mousex || y != state.mousey)) {
        const float dx = float(x - state.mousex), dy = float(y - state.mousey);
        const float d = moveDistance(), r = rotationAngle();
        bool moved = true;
        switch (state.mousehorizontal) {
        case 1204: pose_[0] += dx * d * 0.1f; break;
        case 1205: pose_[1] += dx * d * 0.1f; break;
        case 1206: pose_[2] += dx * d * -0.1f; break;
        case 1207: pose_[5] += dx * r * 0.2f; break;
        case 1208: pose_[4] += dx * r * 0.2f; break;
        default: moved = false; break;
        }
        switch (state.mousevertical) {
        case 1200: pose_[0] += dy * d * 0.1f; moved = true; break;
        case 1201: pose_[1] += dy * d * 0.1f; moved = true; break;
        case 1202: pose_[2] += dy * d * -0.1f; moved = true; break;
        case 1203: pose_[3] += dy * r * -0.2f; moved = true; break;
        default: break;
        }
        if (moved) changed = applyPose();
    }
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

void ModelEditor::leftPress(int x, int y)
{
    if (x != state.anchorx || y != state.anchory) {
        state.anchorx = x;
        state.anchory = y;
        state.picklimit = INT_MAX;
    }
    banding_ = state.currentobject && state.currentpart;
    bandMoved_ = false;
    bandHits_.clear();
}

void ModelEditor::leftDrag(int x, int y)
{
    if (!banding_) return;
    bandMoved_ = true;
    bandHits_ = rubberBandHits(*state.currentobject, rectBetween(state.anchorx, state.anchory, x, y));
    state.pickface.clear();
}

void ModelEditor::leftRelease(int x, int y)
{
    if (!banding_) {
        state.pickpoint = -1;
        state.pickface.clear();
        return;
    }
    banding_ = false;
    for (const Face& f : bandHits_) {
        bool known = false;
        for (const Face& s : state.selection) known = known || std::memcmp(&s, &f, sizeof f) == 0;
        if (!known) state.selection.push_back(f);
    }
    bandHits_.clear();
    if (x == state.anchorx && y == state.anchory) {
        applyClick(state, x, y);
        state.selection.clear();
    } else {
        state.anchorx = x;
        state.anchory = y;
    }
    host_->requestRepaint();
}

Overlay ModelEditor::overlay() const
{
    Overlay out;
    const ModelObject* o = state.currentobject;
    if (!o || !state.currentpart) return out;
    auto outline = [&](const int32_t (&c)[4]) {
        for (int k = 0; k < 4; ++k) {
            const Vertex* a = o->vertices.at(c[k]);
            const Vertex* b = o->vertices.at(c[(k + 1) % 4]);
            if (a && b) out.lines.push_back({a->sx, a->sy, b->sx, b->sy, k + 1});
        }
    };
    for (const Face& f : state.selection) {
        int32_t c[4] = {f.vertexA, f.vertexB, f.vertexC, f.vertexD};
        outline(c);
    }
    for (const Face& f : bandHits_) {
        int32_t c[4] = {f.vertexA, f.vertexB, f.vertexC, f.vertexD};
        outline(c);
    }
    out.status = statusLine(state, document);
    const Vertex* p = o->vertices.at(state.pickpoint);
    bool faceValid = true;
    for (int k = 0; k < 4; ++k) faceValid = faceValid && o->vertices.at(state.pickface.c[k]);
    if (p && faceValid) {
        out.hasMark = true;
        out.markx = p->sx;
        out.marky = p->sy;
        int32_t c[4] = {state.pickface.c[0], state.pickface.c[1], state.pickface.c[2], state.pickface.c[3]};
        if (state.tool == pointChangeWaiting) {
            for (int k = 0; k < 4; ++k) c[k] = state.heldface.c[k];
            c[state.heldcorner & 3] = state.pickpoint;
        }
        outline(c);
    }
    return out;
}

bool ModelEditor::save(const std::string& chosen, bool partial)
{
    std::string path = chosen;
    if (path.find('/') == std::string::npos) path = currentDirectory() + path;
    bool ok = partial ? writeObjectFile(*state.currentobject, state.currentpart, path) : writeModel(document, path);
    if (!ok) errorbox(formatMessage("ファイル %s に書き込めません", path.c_str()));
    return ok;
}

bool ModelEditor::fileCommand(int command)
{
    std::string path;
    switch (command) {
    case 101:
        if (!dialogs_.chooseFile(fileModel, path)) return false;
        openFile(path);
        return true;
    case 102:
        if (!dialogs_.chooseFile(fileModel, path)) return false;
        if (!state.currentobject || !state.currentpart) return false;
        {
            ModelObject* top = state.currentobject;
            insertModel(*top, *state.currentpart, state.mode == modePart, path, table);
        }
        redraw();
        updateWorld(document);
        return true;
    case 103:
        if (!dialogs_.chooseSaveFile(fileModel, path)) return false;
        if (!save(path, false)) return false; // a failed save keeps the model open
        closeModel();
        redraw();
        return true;
    case 104:
        if (state.filename.empty()) return fileCommand(105);
        save(state.filename, false);
        return false;
    case 105: {
        if (!dialogs_.chooseSaveFile(fileModel, path)) return false;
        state.filename = path;
        bool partial = state.mode == modePart && state.currentobject && state.currentpart &&
                       askbox(formatMessage("部分セーブしますか？"));
        save(path, partial);
        return false;
    }
    default: return false;
    }
}

bool ModelEditor::zoomTo()
{
    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "倍率 :%g", double(document.zoom) / 256.0);
    std::string answer;
    if (dialogs_.inputBox(prompt, answer) <= 0) return false;
    double value;
    if (!readReal(answer, value)) return false;
    int32_t zoom = truncToInt(value * 256.1);
    if (zoom != 0 && zoom != document.zoom) document.zoom = zoom;
    return false;
}

bool ModelEditor::scaleFactor()
{
    char prompt[64];
    std::snprintf(prompt, sizeof prompt, "ｽｹｰﾙﾌｧｸﾀ :%g", double(dt));
    std::string answer;
    if (dialogs_.inputBox(prompt, answer) <= 0) return false;
    double value;
    if (!readReal(answer, value)) return false;
    const float step = float(value);
    if (!(step > 0.0f) || !std::isfinite(step)) {
        errorbox(formatMessage("ｽｹｰﾙﾌｧｸﾀは０より大きい数にしてください"));
        return false;
    }
    const float factor = step / dt;
    for (ModelObject* o : allObjects()) {
        for (float& p : o->position) p *= factor;
        PointerList<ModelPart> parts;
        collectParts(o->rootPart, parts);
        for (ModelPart* part : parts)
            for (float& p : part->position) p *= factor;
        for (Vertex& v : o->vertices) {
            v.x *= factor;
            v.y *= factor;
            v.z *= factor;
        }
    }
    dt = step;
    return false;
}

bool ModelEditor::options()
{
    if (!askbox(formatMessage("設定を変更するとプログラムを終了しなければなりません\n保存していないデータはすべて失われます\nオプションを変更しますか？")))
        return false;
    EditorSettings changed = settings;
    if (dialogs_.optionsBox(changed) != 1) return false;
    acceptOptions(changed);
    settings = changed;
    savesettings(store_, settings);
    errorbox(formatMessage("オプションが変更されました\nプログラムを終了します"));
    host_->closeMainWindow();
    return false;
}

bool ModelEditor::dispatch(int command)
{
    readPose();
    if (command == 0) return false;
    if ((command >= 606 && command <= 617)) return poseCommand(command);
    EditContext edit{state, dialogs_, table};
    if (const EditOutcome done = editingCommand(command, edit); done.handled) {
        if (done.rebuild) {
            redraw();
            updateWorld(document);
        }
        if (done.pose) applyPose();
        return done.rebuild || done.pose;
    }
    switch (command) {
    case 101: case 102: case 103: case 104: case 105: return fileCommand(command);
    case 106: host_->closeMainWindow(); return false;
    case 107: return options();
    case 200: state.symmetry = !state.symmetry; return false;
    case 202:
        if (std::abs(document.zoom) < (1 << 29)) document.zoom *= 2; // doubling never reaches 0
        applyPose();
        return true;
    case 203:
        if (document.zoom / 2 != 0) document.zoom /= 2;
        applyPose();
        return true;
    case 204: return zoomTo();
    case 205: return scaleFactor();
    case 300: if (!host_->fullscreen()) host_->showObjectSelector(); return false;
    case 301: if (!host_->fullscreen()) host_->showPartSelector(); return false;
    case 520: case 523: case 524: if (!host_->fullscreen()) host_->showToolWindow(command); return false;
    case 620: state.mode = modeCamera; return false;
    case 622: state.mode = modeObject; return false;
    case 623: state.mode = modePart; return false;
    case 631: state.mode = modePartGeometry; return false;
    case 621: state.mode = modePoint; return false;
    case 630: state.mode = modeTexture; return false;
    case 624: objectChoice(); return true;
    case 625: partChoice(); return true;
    case 707: host_->openHelp(); return false;
    default: break;
    }
    if (command >= 514 && command <= 519) {
        state.rotstep = command - 513;
        return false;
    }
    if (command >= 600 && command <= 605) {
        state.movestep = command - 599;
        return false;
    }
    if ((command >= 1200 && command <= 1203) || command == 1210) {
        state.mousevertical = command;
        return false;
    }
    if (command >= 1204 && command <= 1209) {
        state.mousehorizontal = command;
        return false;
    }
    return false;
}

} // namespace quillo
