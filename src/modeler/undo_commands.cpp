// Undo and redo in the model editor: which commands make steps of the
// history, which merge, and how the view and the working state follow a
// restored document.
#include "model_editor.h"

#include <algorithm>

#include "model/fixed_point.h"
#include "softrender/transform.h"

namespace quillo {

namespace {

bool between(int command, Cmd first, Cmd last) { return command >= id(first) && command <= id(last); }

// Commands that change what is shown or how the editor works, never the
// model: no snapshot is taken after them.
bool viewOnly(int command)
{
    static const Cmd commands[] = {Cmd::Symmetry, Cmd::ZoomUp, Cmd::ZoomDown, Cmd::ZoomTo, Cmd::ObjectWindow,
                                   Cmd::PartWindow, Cmd::ModeWindow, Cmd::FaceToolWindow, Cmd::MouseWindow,
                                   Cmd::ModeCamera, Cmd::ModePoint, Cmd::ModeObject, Cmd::ModePart,
                                   Cmd::ModeTexture, Cmd::ModePartGeometry, Cmd::ChooseObject, Cmd::ChoosePart,
                                   Cmd::Save, Cmd::SaveAs, Cmd::Help, Cmd::Undo, Cmd::Redo, Cmd::Export};
    for (Cmd c : commands)
        if (id(c) == command) return true;
    return between(command, Cmd::ToolMoveToPart, Cmd::RotationStep6) || between(command, Cmd::MoveStep1, Cmd::MoveStep6) ||
           between(command, Cmd::DragVerticalX, Cmd::DragVerticalNone);
}

// What the renderer derives from each restored vertex alone, as a full
// preparation sets it (grid coordinates, the normal x 255, the owner
// copy); the smoothed normal itself came back with the snapshot, so the
// object's faces need not be walked again.
void refreshRestoredVertices(const RestoredVertices& moved)
{
    Records<Vertex>& vertices = moved.object->vertices;
    for (int k : moved.chunks) {
        const int end = std::min(vertices.count(), (k + 1) * snapshotChunkRecords);
        for (int i = k * snapshotChunkRecords; i < end; ++i) {
            Vertex& v = vertices[i];
            v.gx = truncToInt(v.x / dt);
            v.gy = truncToInt(v.y / dt);
            v.gz = truncToInt(v.z / dt);
            v.ownerCopy = v.owner;
            v.inx = truncToInt(double(v.nx) * 255.0);
            v.iny = truncToInt(double(v.ny) * 255.0);
            v.inz = truncToInt(double(v.nz) * 255.0);
        }
    }
}

bool repeatable(int command)
{
    return between(command, Cmd::TurnUp, Cmd::PlusY) || between(command, Cmd::TextureShorter, Cmd::TextureWider);
}

} // namespace

EditCursor ModelEditor::cursor() const
{
    EditCursor c;
    const std::vector<ModelObject*> all = allObjects();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == state.currentobject) c.object = int(i);
    if (state.currentobject)
        for (int i = 0; i < state.currentobject->partList.count(); ++i)
            if (state.currentobject->partList[i] == state.currentpart) c.part = i;
    c.pickpoint = state.pickpoint;
    for (int k = 0; k < 4; ++k) c.pickface[k] = state.pickface.c[k];
    c.texture = state.currenttexture;
    return c;
}

void ModelEditor::putCursor(const EditCursor& c)
{
    const std::vector<ModelObject*> all = allObjects();
    ModelObject* o = c.object >= 0 && c.object < int(all.size()) ? all[size_t(c.object)] : nullptr;
    if (!o && !all.empty()) o = all[0];
    state.currentobject = o;
    state.currentpart = nullptr;
    state.pickpoint = -1;
    state.pickface.clear();
    state.currenttexture = -1;
    if (!o) return;
    state.currentpart = c.part >= 0 && c.part < o->partList.count() ? o->partList[c.part] : o->rootPart;
    const int vertices = o->vertices.count();
    auto inTable = [vertices](int32_t i) { return i >= 0 && i < vertices; };
    if (inTable(c.pickpoint)) state.pickpoint = c.pickpoint;
    bool faceValid = true;
    for (int k = 0; k < 4; ++k) faceValid = faceValid && inTable(c.pickface[k]);
    if (faceValid)
        for (int k = 0; k < 4; ++k) state.pickface.c[k] = c.pickface[k];
    if (c.texture >= 0 && c.texture < o->textures.count()) state.currenttexture = c.texture;
}

ChangeKey ModelEditor::changeKey(int command) const
{
    ChangeKey key;
    key.command = command;
    key.mode = state.mode;
    key.mergeable = command == 0 || repeatable(command);
    switch (state.mode) {
    case modePart:
    case modePartGeometry: key.target = state.currentpart; break;
    case modePoint: key.point = state.pickpoint; [[fallthrough]];
    default: key.target = state.currentobject; break;
    }
    if (state.mode == modeTexture) key.point = state.currenttexture;
    return key;
}

void ModelEditor::recordChange(int command, const EditCursor& before)
{
    const bool cameraOnly = state.mode == modeCamera && between(command, Cmd::TurnUp, Cmd::PlusY);
    if (viewOnly(command) || cameraOnly)
        history_.noteCommand();
    else
        history_.record(document, changeKey(command), before, cursor());
}

void ModelEditor::fillObjectSelector()
{
    std::vector<std::string> names;
    int current = 0;
    const std::vector<ModelObject*> all = allObjects();
    for (size_t i = 0; i < all.size(); ++i) {
        names.push_back(all[i]->name);
        if (all[i] == state.currentobject) current = int(i);
    }
    host_->fillSelector(id(Cmd::ObjectWindow), names, current);
}

void ModelEditor::afterRestore(const RestoreResult& result, const EditCursor& c)
{
    state.selection.clear();
    if (result.rebuilt) { // the old objects are gone: nothing may point at them while the view is rebuilt
        state.currentobject = nullptr;
        state.currentpart = nullptr;
    }
    for (const RestoredVertices& moved : result.movedVertices) refreshRestoredVertices(moved);
    if (result.needsRedraw || result.gridStepChanged) { // a new grid step changes every grid coordinate
        state.pickpoint = -1;
        state.pickface.clear();
        redraw();
    }
    putCursor(c);
    if (result.needsRedraw) {
        fillObjectSelector();
        fillPartSelector();
    }
    updateWorld(document);
    host_->requestRepaint();
}

bool ModelEditor::undoCommand()
{
    RestoreResult result;
    EditCursor c;
    if (!history_.undo(document, result, c)) return false;
    afterRestore(result, c);
    return true;
}

bool ModelEditor::redoCommand()
{
    RestoreResult result;
    EditCursor c;
    if (!history_.redo(document, result, c)) return false;
    afterRestore(result, c);
    return true;
}

} // namespace quillo
