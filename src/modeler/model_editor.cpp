#include "model_editor.h"

#include <cstdio>
#include <cstring>

#include "model/fixed_point.h"
#include "model/file_util.h"
#include "model/md4_file.h"
#include "pick_renumbering.h"
#include "picking.h"
#include "softrender/transform.h"
#include "softrender/vertex_prep.h"

namespace quillo {


ModelEditor::ModelEditor(ModelDialogs& dialogs, SettingsStore& store, EditorHost* host)
    : dialogs_(dialogs), store_(store), host_(host ? host : &defaultHost_),
      previousSink_(setMessageSink(&dialogs)), commands_(modelerCommandTable(*this))
{
    recent_.load(store_);
}

ModelEditor::~ModelEditor() { setMessageSink(previousSink_ == &dialogs_ ? nullptr : previousSink_); }



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
    host_->fillSelector(id(Cmd::PartWindow), names, current);
}

bool ModelEditor::dispatch(int command)
{
    readPose();
    if (command == 0) return false;
    const EditCursor before = cursor();
    const bool draw = commands_.dispatch(command);
    recordChange(command, before);
    if (recovery_) recovery_->settle(history_.generation(), savedGeneration_);
    return draw;
}

bool ModelEditor::writeRecovery()
{
    return !recovery_ || recovery_->write(document, history_.generation(), savedGeneration_);
}

bool ModelEditor::edited(bool changed)
{
    if (changed) {
        redraw();
        updateWorld(document);
    }
    return changed;
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
    history_.reset(document, cursor());
    savedGeneration_ = history_.generation(); // nothing left to lose
}

bool ModelEditor::openFile(const std::string& path)
{
    ModelDocument loaded;
    if (readModel(loaded, path) != ReadResult::ok) return false;
    adopt(loaded);
    state.filename = path;
    savedGeneration_ = history_.generation();
    noteRecent(path);
    return true;
}

void ModelEditor::offerRecovery(Recovery& recovery)
{
    if (!recovery.exists()) return;
    if (!askbox(formatMessage("%s", recoveryQuestion))) {
        recovery.remove();
        return;
    }
    ModelDocument loaded;
    if (readModel(loaded, recovery.path()) != ReadResult::ok) {
        errorbox(formatMessage("ファイル %s を読み込めません", recovery.path().c_str()));
        return;
    }
    adopt(loaded);
    state.filename.clear(); // saved only under a name the user chooses
    savedGeneration_ = neverSaved;
}

void ModelEditor::noteRecent(const std::string& path)
{
    recent_.add(path);
    recent_.save(store_);
    host_->recentFilesChanged(recent_.files());
}

bool ModelEditor::openRecent(int index)
{
    if (index < 0 || index >= int(recent_.files().size())) return false;
    const std::string path = recent_.files()[size_t(index)];
    if (!readableFile(path)) {
        recent_.remove(path);
        recent_.save(store_);
        host_->recentFilesChanged(recent_.files());
        errorbox(formatMessage("ファイル %s が見つかりません\n最近使ったファイルから外しました", path.c_str()));
        return false;
    }
    if (!openFile(path)) {
        errorbox(formatMessage("ファイル %s を読み込めません", path.c_str()));
        return false;
    }
    return true;
}

void ModelEditor::adopt(ModelDocument& loaded)
{
    closeModel();
    for (ModelObject* o : loaded.objects) document.objects.append(o);
    loaded.objects.reset(); // the objects now belong to this document
    redraw();
    updateWorld(document);
    objectChoice();
    history_.reset(document, cursor());
}

void ModelEditor::start(const std::string& commandLineFile)
{
    // Only a regular file that opens counts (a folder opens with fopen on
    // Linux and would become the name the model is saved under).
    std::string file = readableFile(settings.defaultfile) ? settings.defaultfile : std::string();
    if (!commandLineFile.empty())
        if (readableFile(commandLineFile)) file = commandLineFile;
    document.place(0.0f, 0.0f, -175.0f, 0.0f, 0.0f, 0.0f);
    document.zoom = 256;
    if (!file.empty()) {
        state.filename = file;
        openFile(file);
    }
    redraw();
    history_.reset(document, cursor());
    savedGeneration_ = history_.generation();
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
    host_->fillSelector(id(Cmd::ObjectWindow), names, current);
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
    host_->fillSelector(id(Cmd::ObjectWindow), names, chosen);
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
    host_->fillSelector(id(Cmd::PartWindow), names, current);
    int chosen = selectbox(dialogs_, names, "", current);
    if (chosen < 0) return false;
    state.currentpart = o.partList[chosen];
    host_->fillSelector(id(Cmd::PartWindow), names, chosen);
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







void ModelEditor::leftPress(int x, int y)
{
    if (x != state.anchorx || y != state.anchory) {
        state.anchorx = x;
        state.anchory = y;
        state.picklimit = INT_MAX;
    }
    history_.noteCommand();
    banding_ = state.currentobject && state.currentpart;
    bandMoved_ = false;
    bandHits_.clear();
}

void ModelEditor::leftDrag(int x, int y)
{
    if (!banding_) return;
    bandMoved_ = true;
    bandx_ = x;
    bandy_ = y;
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
    if (banding_ && bandMoved_) { // the band itself, one pen a side as the face outlines have
        const int x0 = state.anchorx, y0 = state.anchory, x1 = bandx_, y1 = bandy_;
        out.lines.push_back({x0, y0, x1, y0, 1});
        out.lines.push_back({x1, y0, x1, y1, 2});
        out.lines.push_back({x1, y1, x0, y1, 3});
        out.lines.push_back({x0, y1, x0, y0, 4});
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







} // namespace quillo
