#include "modeler_script.h"

#include <cstdlib>
#include <cstring>

#include "command_table.h"
#include "model/fixed_point.h"

namespace quillo {

ModelerScript::ModelerScript(ModelEditor& editor, ScriptedDialogs& dialogs, std::function<void()> drawFrame,
                             Writer render, std::ostream& out, Writer screenshot)
    : ScriptRunner(dialogs), editor_(editor), drawFrame_(std::move(drawFrame)), render_(std::move(render)),
      screenshot_(std::move(screenshot)), out_(out)
{
}

bool ModelerScript::numbers(const std::vector<std::string>& words, size_t from, size_t count,
                            std::vector<int>& values, std::string& why) const
{
    values.clear();
    for (size_t i = from; i < from + count && i < words.size(); ++i) {
        char* end = nullptr;
        long v = std::strtol(words[i].c_str(), &end, 10);
        if (words[i].empty() || *end != '\0') {
            why = "\"" + words[i] + "\" is not a whole number";
            return false;
        }
        values.push_back(int(v));
    }
    return true;
}

ModelPart* ModelerScript::partNamed(const std::string& name) const
{
    ModelObject* o = editor_.state.currentobject;
    if (!o) return nullptr;
    for (ModelPart* p : o->partList)
        if (name == p->name) return p;
    return nullptr;
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

bool ModelerScript::runVerb(const std::vector<std::string>& w, std::string& why, bool& consumes)
{
    const std::string& verb = w[0];
    std::vector<int> n;
    auto argc = [&](size_t lo, size_t hi) {
        if (w.size() - 1 < lo || w.size() - 1 > hi) {
            why = verb + " takes " + (lo == hi ? std::to_string(lo) : std::to_string(lo) + " to " + std::to_string(hi)) +
                  " arguments";
            return false;
        }
        return true;
    };
    consumes = verb == "cmd" || verb == "key" || verb == "mouse" || verb == "click" || verb == "drag" ||
               verb == "rdrag";
    if (verb == "cmd") {
        if (!argc(1, 1) || !numbers(w, 1, 1, n, why)) return false;
        editor_.dispatch(n[0]);
    } else if (verb == "key") {
        if (!argc(1, 1)) return false;
        int command = commandForKey(w[1].c_str());
        if (!command) {
            why = "no command has the key " + w[1];
            return false;
        }
        editor_.dispatch(command);
    } else if (verb == "mouse") {
        if (!argc(2, 3) || !numbers(w, 1, w.size() - 1, n, why)) return false;
        editor_.mouse(n[0], n[1], n.size() > 2 ? n[2] : 0);
    } else if (verb == "click") {
        if (!argc(2, 2) || !numbers(w, 1, 2, n, why)) return false;
        editor_.mouse(n[0], n[1], 0);
        editor_.leftPress(n[0], n[1]);
        editor_.leftRelease(n[0], n[1]);
    } else if (verb == "drag") {
        if (!argc(4, 4) || !numbers(w, 1, 4, n, why)) return false;
        editor_.mouse(n[0], n[1], 0);
        editor_.leftPress(n[0], n[1]);
        editor_.leftDrag(n[2], n[3]);
        editor_.leftRelease(n[2], n[3]);
    } else if (verb == "rdrag") {
        if (!argc(4, 5) || !numbers(w, 1, w.size() - 1, n, why)) return false;
        int steps = n.size() > 4 ? n[4] : 1;
        if (steps < 1) {
            why = "rdrag needs at least one step";
            return false;
        }
        editor_.mouse(n[0], n[1], 0);
        editor_.mouse(n[0], n[1], 1);
        for (int i = 1; i <= steps; ++i) {
            editor_.mouse(n[0] + (n[2] - n[0]) * i / steps, n[1] + (n[3] - n[1]) * i / steps, 1);
            drawFrame_();
        }
        editor_.mouse(n[2], n[3], 0);
    } else if (verb == "pick" || verb == "select") {
        if (w.size() < 3) {
            why = verb + " takes a part name and face numbers";
            return false;
        }
        ModelPart* part = partNamed(w[1]);
        if (!part) {
            why = "the current object has no part \"" + w[1] + "\"";
            return false;
        }
        if (verb == "pick" && !argc(2, 3)) return false;
        if (!numbers(w, 2, w.size() - 2, n, why)) return false;
        if (verb == "pick") {
            const Face* f = part->faces.at(n[0]);
            int corner = n.size() > 1 ? n[1] : 0;
            if (!f || corner < 0 || corner > 3) {
                why = "part \"" + w[1] + "\" has no face " + w[2] + " with that corner";
                return false;
            }
            for (int k = 0; k < 4; ++k) editor_.state.pickface.c[k] = f->index(k);
            editor_.state.pickpoint = f->index(corner);
        } else {
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
        }
    } else if (verb == "render") {
        if (!argc(1, 1)) return false;
        drawFrame_();
        return render_(w[1], why);
    } else if (verb == "resize") {
        if (!argc(2, 2) || !numbers(w, 1, 2, n, why)) return false;
        if (!resizeWindow || n[0] < 1 || n[1] < 1) {
            why = resizeWindow ? "a window needs a size of at least 1 x 1" : "there is no window to resize";
            return false;
        }
        resizeWindow(n[0], n[1]);
    } else if (verb == "screenshot") {
        if (!argc(1, 1)) return false;
        if (!screenshot_) {
            why = "there is no window to take a picture of";
            return false;
        }
        drawFrame_();
        return screenshot_(w[1], why);
    } else if (verb == "state") {
        printState();
    } else {
        why = "unknown verb \"" + verb + "\"";
        return false;
    }
    if (consumes) drawFrame_();
    return true;
}

} // namespace quillo
