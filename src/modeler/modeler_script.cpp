#include "modeler_script.h"

#include <cstdlib>
#include <iostream>

#include <cstring>

#include "model/fixed_point.h"

namespace quillo {

ModelerScript::ModelerScript(ModelEditor& editor, ScriptedDialogs& dialogs, ScriptView& view, std::ostream& out)
    : EditorScript(dialogs, editor.commands(), view), editor_(editor), out_(out)
{
    addVerb({"click", 2, 2, true, [this](const ScriptWords& w, std::string& why) {
                 std::vector<int> n;
                 if (!wholeNumbers(w, 1, n, why)) return false;
                 editor_.mouse(n[0], n[1], 0);
                 editor_.leftPress(n[0], n[1]);
                 editor_.leftRelease(n[0], n[1]);
                 return true;
             }});
    addVerb({"drag", 4, 4, true, [this](const ScriptWords& w, std::string& why) {
                 std::vector<int> n;
                 if (!wholeNumbers(w, 1, n, why)) return false;
                 editor_.mouse(n[0], n[1], 0);
                 editor_.leftPress(n[0], n[1]);
                 editor_.leftDrag(n[2], n[3]);
                 editor_.leftRelease(n[2], n[3]);
                 return true;
             }});
    addVerb({"pick", 2, 3, false, [this](const ScriptWords& w, std::string& why) { return pick(w, why); }});
    addVerb({"select", 2, -1, false, [this](const ScriptWords& w, std::string& why) { return select(w, why); }});
    addVerb({"state", 0, 0, false, [this](const ScriptWords&, std::string&) { return printState(), true; }});
    // What the two-minute timer does, now: the recovery file is written if the document changed.
    addVerb({"autosave", 0, 0, false, [this](const ScriptWords&, std::string& why) {
                 if (editor_.writeRecovery()) return true;
                 why = "the recovery file could not be written";
                 return false;
             }});
    // Ends the program at once, as a crash or a kill would: nothing is cleaned up.
    addVerb({"kill", 0, 0, false, [](const ScriptWords&, std::string&) {
                 std::cout.flush();
                 std::_Exit(137);
                 return true;
             }});
    // The recent-files list, newest first: "recent1=PATH" ….
    addVerb({"recent", 0, 0, false, [this](const ScriptWords&, std::string&) {
                 int n = 0;
                 for (const std::string& f : editor_.recentFiles().files()) out_ << "recent" << ++n << "=" << f << "\n";
                 out_.flush();
                 return true;
             }});
}

ModelPart* ModelerScript::partAndFaces(const ScriptWords& w, std::vector<int>& faces, std::string& why) const
{
    ModelObject* o = editor_.state.currentobject;
    ModelPart* part = nullptr;
    if (o)
        for (ModelPart* p : o->partList)
            if (!part && w[1] == p->name) part = p;
    if (!part) {
        why = "the current object has no part \"" + w[1] + "\"";
        return nullptr;
    }
    return wholeNumbers(w, 2, faces, why) ? part : nullptr;
}

void ModelerScript::printState()
{
    const EditorState& s = editor_.state;
    out_ << "mode=" << s.mode << "\n"
         << "object=" << (s.currentobject ? s.currentobject->name : "") << "\n"
         << "part=" << (s.currentpart ? s.currentpart->name : "") << "\n"
         << "pickpoint=" << s.pickpoint << "\n"
         << "pickface=" << s.pickface.c[0] << "," << s.pickface.c[1] << "," << s.pickface.c[2] << ","
         << s.pickface.c[3] << "\n"
         << "selection=" << s.selection.size() << "\n"
         << "movestep=" << s.movestep << "\n"
         << "rotstep=" << s.rotstep << "\n"
         << "symmetry=" << (s.symmetry ? 1 : 0) << "\n"
         << "zoom=" << editor_.document.zoom << "\n"
         << "dt=" << dt << "\n"
         << "tool=" << s.tool << "\n"
         << "toolname=" << s.toolname << "\n"
         << "currentcolour=" << s.currentcolour << "\n"
         << "currenttexture=" << s.currenttexture << "\n"
         << "filename=" << s.filename << "\n";
    if (const ModelObject* o = s.currentobject) {
        out_ << "objectposition=" << truncToInt(o->position[0] / dt) << "," << truncToInt(o->position[1] / dt)
             << "," << truncToInt(o->position[2] / dt) << "\n";
        out_ << "vertices=" << o->vertices.count() << "\n";
    }
    out_.flush();
}

bool ModelerScript::pick(const ScriptWords& w, std::string& why)
{
    std::vector<int> n;
    ModelPart* part = partAndFaces(w, n, why);
    if (!part) return false;
    const Face* f = part->faces.at(n[0]);
    const int corner = n.size() > 1 ? n[1] : 0;
    if (!f || corner < 0 || corner > 3) {
        why = "part \"" + w[1] + "\" has no face " + w[2] + " with that corner";
        return false;
    }
    for (int k = 0; k < 4; ++k) editor_.state.pickface.c[k] = f->index(k);
    editor_.state.pickpoint = f->index(corner);
    return true;
}

bool ModelerScript::select(const ScriptWords& w, std::string& why)
{
    std::vector<int> n;
    ModelPart* part = partAndFaces(w, n, why);
    if (!part) return false;
    for (int i : n) {
        const Face* f = part->faces.at(i);
        if (!f) {
            why = "part \"" + w[1] + "\" has no face " + std::to_string(i);
            return false;
        }
        bool known = false;
        for (const Face& s : editor_.state.selection) known = known || std::memcmp(&s, f, sizeof *f) == 0;
        if (!known) editor_.state.selection.push_back(*f);
    }
    return true;
}

} // namespace quillo
