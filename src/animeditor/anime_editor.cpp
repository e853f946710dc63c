#include "anime_editor.h"

#include <algorithm>
#include <cstdio>

#include "animation/md7_file.h"
#include "animation/motion.h"
#include "animation/scene_frames.h"
#include "engine3d/objct.h"
#include "platform/field_text.h"

namespace quillo::animeditor {

namespace {

int truncated(float v, float dt)
{
    const double q = double(v) / double(dt);
    if (!(q > -2147483648.0 && q < 2147483648.0)) return 0; // off the int range: nothing sensible to show
    return int(q);
}

} // namespace

engine3d::EngineSettings engineSettingsOf(const AnimatorSettings& s)
{
    engine3d::EngineSettings e;
    e.driver = s.driver;
    e.dither = s.dither;
    e.gouraud = s.shade != 1;
    e.persCorrect = s.perscorrect;
    e.zoff = !s.zbuffer;
    e.fullscreen = s.fullscreen;
    e.maxWidth = s.maxwidth;
    e.maxHight = s.maxhight;
    return e;
}

void limitDrawingArea(AnimatorSettings& s, int screenWidth, int screenHeight)
{
    s.maxwidth = std::max(s.maxwidth, 10);
    s.maxhight = std::max(s.maxhight, 10);
    if (screenWidth >= 10) s.maxwidth = std::min(s.maxwidth, screenWidth);
    if (screenHeight >= 10) s.maxhight = std::min(s.maxhight, screenHeight);
}

AnimeEditor::AnimeEditor(AnimeDialogs& dialogs, anim::SoundDevice& sound, const engine3d::EngineSettings& engine,
                         EditorHost* host, engine3d::TextRasteriser* text)
    : dialogs_(dialogs), host_(host ? host : &defaultHost_),
      previousSink_(setMessageSink(&dialogs)), stage_(sound, engine, text), commands_(animeCommandTable(*this))
{
}

AnimeEditor::~AnimeEditor()
{
    // The models go before the engine they were loaded into.
    state.currentobject = nullptr;
    stage_.document().reset();
    setMessageSink(previousSink_ == &dialogs_ ? nullptr : previousSink_);
}

bool AnimeEditor::dispatch(int command)
{
    readPose();
    return commands_.dispatch(command);
}

void AnimeEditor::start(const std::string& file)
{
    document().current().name = "第一幕";
    makeSceneCurrent(-1);
    if (!file.empty()) {
        state.filename = file;
        if (anim::readAnimation(document(), file) != anim::Md7Status::ok) state.filename = document().path;
        makeSceneCurrent(-1);
    }
    objectChoice();
}

bool AnimeEditor::drawFrame() { return stage_.drawFrame(); }

std::string AnimeEditor::statusLine() const
{
    engine3d::OBJCT* o = engineObject();
    if (!o || state.currentpart < 0) return {};
    const engine3d::BLOCK* b = posedBlock();
    if (!b) b = o;
    char line[160];
    std::snprintf(line, sizeof line, "%d %d %d  %d %d       ", truncated(b->position[0], state.dt),
                  truncated(b->position[1], state.dt), truncated(b->position[2], state.dt),
                  document().currentScene->frameIndex, state.currentobject->motionFrameIndex);
    return line;
}

std::vector<std::string> AnimeEditor::objectNames() const
{
    std::vector<std::string> names;
    for (anim::AnimObject* o : document().currentScene->objects)
        names.push_back(static_cast<anim::EngineObject*>(o)->object().name);
    return names;
}

std::vector<std::string> AnimeEditor::partNames() const
{
    std::vector<std::string> names;
    if (engine3d::OBJCT* o = engineObject())
        for (int i = 0; i < o->partList.count(); ++i) names.push_back(o->partList[i]->name);
    return names;
}

engine3d::OBJCT* AnimeEditor::engineObject() const
{
    return state.currentobject ? &static_cast<anim::EngineObject*>(state.currentobject)->object() : nullptr;
}

anim::Motion* AnimeEditor::currentMotion() const
{
    return state.currentobject ? state.currentobject->currentMotion : nullptr;
}

void AnimeEditor::fillPartSelector()
{
    host_->fillSelector(id(Cmd::PartWindow), partNames(), state.currentpart < 0 ? 0 : state.currentpart);
}

void AnimeEditor::objectChoice()
{
    const std::vector<anim::AnimObject*>& all = document().currentScene->objects;
    const std::vector<std::string> names = objectNames();
    int current = 0;
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == state.currentobject) current = int(i);
    host_->fillSelector(id(Cmd::ObjectWindow), names, current);
    const int chosen = selectbox(dialogs_, names, "", current);
    if (chosen < 0) return;
    anim::AnimObject* previous = state.currentobject;
    const int previousPart = state.currentpart;
    state.currentobject = all[size_t(chosen)];
    state.currentpart = -1;
    if (!partChoice()) {
        state.currentobject = previous;
        state.currentpart = previousPart;
        return;
    }
    document().selectedObject = state.currentobject;
    host_->fillSelector(id(Cmd::ObjectWindow), names, chosen);
}

bool AnimeEditor::partChoice()
{
    if (!state.currentobject) return false;
    const std::vector<std::string> names = partNames();
    host_->fillSelector(id(Cmd::PartWindow), names, state.currentpart < 0 ? 0 : state.currentpart);
    const int chosen = selectbox(dialogs_, names, "", state.currentpart < 0 ? 0 : state.currentpart);
    if (chosen < 0) return false;
    state.currentpart = chosen;
    fillPartSelector();
    return true;
}

void AnimeEditor::selectobject(int index)
{
    const std::vector<anim::AnimObject*>& all = document().currentScene->objects;
    if (index < 0 || index >= int(all.size())) return;
    state.currentobject = all[size_t(index)];
    state.currentpart = engineObject()->partList.count() > 0 ? 0 : -1;
    document().selectedObject = state.currentobject;
    fillPartSelector();
}

void AnimeEditor::selectpart(int index)
{
    engine3d::OBJCT* o = engineObject();
    if (o && index >= 0 && index < o->partList.count()) state.currentpart = index;
}

int AnimeEditor::sceneIndex() const
{
    for (size_t i = 0; i < document().scenes.size(); ++i)
        if (document().scenes[i].get() == document().currentScene) return int(i);
    return -1;
}

void AnimeEditor::makeSceneCurrent(int index)
{
    if (index == -1) {
        document().currentScene = nullptr;
        index = 0;
    }
    if (index < 0 || index >= int(document().scenes.size())) return;
    anim::Scene* scene = document().scenes[size_t(index)].get();
    if (scene == document().currentScene) return;
    document().currentScene = scene;
    // An object of another scene is not posed here (the scene may not show it).
    bool shown = false;
    for (anim::AnimObject* o : scene->objects) shown = shown || o == state.currentobject;
    if (!shown) {
        state.currentobject = nullptr;
        state.currentpart = -1;
        document().selectedObject = nullptr;
        host_->fillSelector(id(Cmd::ObjectWindow), objectNames(), 0);
    }
    if (state.currentobject) fillPartSelector();
    stage_.sceneSwitched();
    document().currentDialogue = 0;
    showDialogue("");
    anim::applySceneFrame(document());
    sceneChanged();
}

anim::PlaybackStep AnimeEditor::playStep()
{
    const anim::PlaybackStep step = stage_.playStep();
    if (step.sceneChanged) {
        // The selection follows the shown scene, as choosing the scene would.
        bool shown = false;
        for (anim::AnimObject* o : document().currentScene->objects) shown = shown || o == state.currentobject;
        if (!shown) {
            state.currentobject = nullptr;
            state.currentpart = -1;
            document().selectedObject = nullptr;
        }
    }
    host_->requestRepaint();
    return step;
}

bool AnimeEditor::togglePlayback()
{
    if (!playing_) {
        sceneBeforePlayback_ = std::max(sceneIndex(), 0);
        playback().restart();
        playing_ = true;
        return false;
    }
    playing_ = false;
    document().music.select(0);
    makeSceneCurrent(-1);
    makeSceneCurrent(sceneBeforePlayback_);
    return true;
}

int64_t stepsDue(int64_t elapsed, int64_t done, int interval)
{
    if (interval <= 0 || elapsed < 0) return 0;
    const int64_t due = elapsed / interval + 1; // the first step is due at once
    return due > done ? due - done : 0;
}

bool AnimeEditor::sceneChanged()
{
    stage_.updateWorld();
    host_->requestRepaint();
    return true;
}

void AnimeEditor::resetDocument()
{
    state.currentobject = nullptr;
    state.currentpart = -1;
    clipboard = {};
    document().reset();
    document().current().name = "第一幕";
    showBackground("");
    makeSceneCurrent(-1);
    host_->fillSelector(id(Cmd::PartWindow), {}, 0);
}

void AnimeEditor::askFirstSceneName()
{
    std::string answer;
    if (dialogs_.inputBox("場面名を入力してください", answer) > 0) document().current().name = fieldName(answer, 80);
}

} // namespace quillo::animeditor
