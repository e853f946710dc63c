#include "anime_script.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "animation/motion.h"
#include "animation/recording_sound_device.h"
#include "animation/scene_frames.h"
#include "engine3d/objct.h"
#include "model/file_util.h"
#include "platform/field_text.h"

namespace quillo::animeditor {

namespace {

// A pose number as "%g" reads it; false for a word that is not a finite number.
bool readPoseNumbers(const ScriptWords& w, size_t from, float (&v)[6], std::string& why)
{
    for (size_t i = 0; i < 6; ++i) {
        double d;
        if (!scanReal(w[from + i], d)) {
            why = "\"" + w[from + i] + "\" is not a number";
            return false;
        }
        v[i] = float(d);
    }
    return true;
}

void hexBytes(std::ostream& out, const unsigned char* bytes, int n)
{
    static const char digits[] = "0123456789abcdef";
    for (int i = 0; i < n; ++i) out << digits[bytes[i] >> 4] << digits[bytes[i] & 15];
}

} // namespace

bool numberedPath(const std::string& pattern, int n, std::string& path)
{
    // Exactly one conversion, %d with an optional 0 flag and width; %% stands for %.
    int conversions = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < pattern.size() && (pattern[j] == '0' || (pattern[j] >= '1' && pattern[j] <= '9'))) ++j;
        if (j >= pattern.size() || pattern[j] != 'd' || j - i > 4) return false;
        ++conversions;
        i = j;
    }
    if (conversions != 1) return false;
    std::vector<char> buffer(pattern.size() + 32);
    std::snprintf(buffer.data(), buffer.size(), pattern.c_str(), n);
    path = buffer.data();
    return true;
}

AnimeScript::AnimeScript(AnimeEditor& editor, ScriptedDialogs& dialogs, ScriptView& view, std::ostream& out,
                         anim::RecordingSoundDevice* sound)
    : EditorScript(dialogs, editor.commands(), view), editor_(editor), out_(out), sound_(sound)
{
    addVerb({"state", 0, 0, false, [this](const ScriptWords&, std::string&) { return printState(), true; }});
    addVerb({"setpose", 7, 7, false, [this](const ScriptWords& w, std::string& why) { return setpose(w, why); }});
    addVerb({"play", 1, 2, false, [this](const ScriptWords& w, std::string& why) { return play(w, why); }});
    addVerb({"frames", 3, 3, false, [this](const ScriptWords& w, std::string& why) { return frames(w, why); }});
    addVerb({"dump", 2, 2, false, [this](const ScriptWords& w, std::string& why) { return dump(w, why); }});
    addVerb({"selector", 2, 2, false, [this](const ScriptWords& w, std::string& why) { return selector(w, why); }});
    addVerb({"sounds", 0, 0, false, [this](const ScriptWords&, std::string& why) {
                 if (!sound_) {
                     why = "sounds: this run plays through the sound card";
                     return false;
                 }
                 const anim::SoundTable& t = editor_.document().music;
                 for (int i = 1; i < t.count(); ++i)
                     out_ << "sound " << i << " " << (t.entry(i).wave ? "wave" : "midi") << " " << t.entry(i).device
                          << " " << t.entry(i).path << "\n";
                 for (const std::string& call : sound_->take()) out_ << "call " << call << "\n";
                 out_.flush();
                 return true;
             }});
}

void AnimeScript::dispatch(int command) { editor_.dispatch(command); }

void AnimeScript::mouse(int x, int y, int buttons) { editor_.mouse(x, y, buttons); }

void AnimeScript::printState()
{
    const AnimatorState& s = editor_.state;
    const anim::AnimationDocument& doc = editor_.document();
    const anim::Scene& scene = *doc.currentScene;
    const engine3d::OBJCT* o = editor_.engineObject();
    const anim::Motion* m = editor_.currentMotion();
    int motionIndex = -1;
    for (int i = 0; i < doc.motions.count(); ++i)
        if (&doc.motions[i] == m) motionIndex = i;
    const engine3d::CAM& c = editor_.camera();
    out_ << "mode=" << s.mode << "\n"
         << "scene=" << editor_.sceneIndex() << "\n"
         << "scenename=" << scene.name << "\n"
         << "scenes=" << doc.scenes.size() << "\n"
         << "frame=" << scene.frameIndex << "\n"
         << "frames=" << scene.frames.count() << "\n"
         << "R=" << scene.recordSize() << "\n"
         << "H=" << scene.headerSize() << "\n"
         << "object=" << (o ? o->name : "") << "\n"
         << "part=" << (o && s.currentpart >= 0 ? o->partList[s.currentpart]->name : "") << "\n"
         << "motion=" << (m ? m->name : "") << "\n"
         << "motionindex=" << motionIndex << "\n"
         << "motionframe=" << (s.currentobject ? s.currentobject->motionFrameIndex : 0) << "\n"
         << "motions=" << doc.motions.count() << "\n"
         << "motionrecordsize=" << (s.currentobject ? anim::motionRecordSize(*s.currentobject) : 0) << "\n"
         << "dialogue=" << doc.currentDialogue << "\n"
         << "background=" << doc.currentBackground << "\n"
         << "music=" << doc.music.lastsound << "\n"
         << "currentmidi=" << doc.music.currentmidi << "\n"
         << "currentwave=" << doc.music.currentwave << "\n"
         << "lastsound=" << doc.music.lastsound << "\n"
         << "zoom=" << editor_.zoom() << "\n"
         << "dt=" << s.dt << "\n"
         << "movestep=" << s.movestep << "\n"
         << "rotstep=" << s.rotstep << "\n"
         << "mousehorizontal=" << s.mousehorizontal << "\n"
         << "mousevertical=" << s.mousevertical << "\n"
         << "filename=" << s.filename << "\n"
         << "models=" << scene.models.size() << "\n"
         << "camera=" << c.position[0] << " " << c.position[1] << " " << c.position[2] << " " << c.angles[0] << " "
         << c.angles[1] << " " << c.angles[2] << "\n"
         << "status=" << editor_.statusLine() << "\n";
    out_.flush();
}

bool AnimeScript::setpose(const ScriptWords& w, std::string& why)
{
    const int mode = w[1] == "camera" ? modeCamera : w[1] == "object" ? modeObject : w[1] == "part" ? modePart : -1;
    if (mode < 0) {
        why = "setpose takes camera, object or part";
        return false;
    }
    float v[6];
    if (!readPoseNumbers(w, 2, v, why)) return false;
    if (!editor_.setPose(mode, {v[0], v[1], v[2], v[3], v[4], v[5]})) {
        why = "setpose: there is no current object" + std::string(mode == modePart ? " and part" : "");
        return false;
    }
    return true;
}

bool AnimeScript::writeNumbered(const std::string& pattern, int n, std::string& why)
{
    std::string path;
    if (!numberedPath(pattern, n, path)) {
        why = "the pattern \"" + pattern + "\" needs one number like %04d";
        return false;
    }
    if (!makeParentFolders(path)) {
        why = "cannot write " + path;
        return false;
    }
    return view_.writeRender(path, why);
}

bool AnimeScript::play(const ScriptWords& w, std::string& why)
{
    std::vector<int> n;
    if (!wholeNumbers(ScriptWords(w.begin(), w.begin() + 2), 1, n, why)) return false;
    const int steps = n[0];
    if (steps < 0) {
        why = "play takes a number of steps";
        return false;
    }
    for (int i = 0; i < steps; ++i) {
        const anim::PlaybackStep step = editor_.playStep();
        out_ << "play " << step.scene << " " << step.frame << "\n";
        if (w.size() == 3 && !writeNumbered(w[2], i, why)) return false;
    }
    out_.flush();
    return true;
}

bool AnimeScript::frames(const ScriptWords& w, std::string& why)
{
    std::vector<int> n;
    ScriptWords numbers(w.begin(), w.begin() + 3);
    if (!wholeNumbers(numbers, 1, n, why)) return false;
    anim::Scene& scene = editor_.document().current();
    if (n[0] < 0 || n[1] < n[0] || n[1] >= scene.frames.count()) {
        why = "frames: FROM and TO must be frames of the scene (0 to " + std::to_string(scene.frames.count() - 1) + ")";
        return false;
    }
    for (int i = n[0]; i <= n[1]; ++i) {
        scene.frameIndex = i;
        anim::applySceneFrame(editor_.document());
        editor_.sceneChanged();
        if (!writeNumbered(w[3], i - n[0], why)) return false;
    }
    return true;
}

bool AnimeScript::dump(const ScriptWords& w, std::string& why)
{
    std::vector<int> n;
    if (!wholeNumbers(w, 2, n, why)) return false;
    const int i = n[0];
    const unsigned char* record = nullptr;
    int size = 0;
    if (w[1] == "frame") {
        const anim::Scene& scene = editor_.document().current();
        record = scene.frames.at(i);
        size = scene.recordSize();
    } else if (w[1] == "motion") {
        const anim::Motion* m = editor_.currentMotion();
        if (m) {
            record = m->frames.at(i);
            size = m->frames.recordSize();
        }
    } else {
        why = "dump takes frame or motion";
        return false;
    }
    if (!record) {
        why = "dump: there is no " + w[1] + " frame " + w[2];
        return false;
    }
    hexBytes(out_, record, size);
    out_ << "\n";
    out_.flush();
    return true;
}

bool AnimeScript::selector(const ScriptWords& w, std::string& why)
{
    std::vector<int> n;
    if (!wholeNumbers(w, 2, n, why)) return false;
    if (w[1] == "object")
        editor_.selectobject(n[0]);
    else if (w[1] == "part")
        editor_.selectpart(n[0]);
    else {
        why = "selector takes object or part";
        return false;
    }
    view_.drawFrame();
    return true;
}

} // namespace quillo::animeditor
