#include "anime_frames.h"

#include <cstdio>
#include <cstring>

#include "animation/md7_file.h"
#include "animation/sound_device.h"
#include "animeditor/anime_editor.h"
#include "animeditor/anime_script.h"
#include "animeditor/frame_export.h"
#include "animeditor/scripted_anime_dialogs.h"
#include "command_args.h"
#include "engine3d/software_device.h"
#include "model/file_util.h"
#include "platform/engine_image.h"

namespace quillo {

bool parseFramesOptions(int argc, char** argv, FramesOptions& o, std::string& error)
{
    int i = 2;
    o.playback = argc >= 2 && std::strcmp(argv[1], "--play") == 0;
    if (o.playback) {
        if (i >= argc || !readInt(argv[i], o.steps) || o.steps < 0) {
            error = "--play needs a number of steps";
            return false;
        }
        ++i;
    }
    if (i + 1 >= argc) {
        error = "needs PATTERN and FILE.md7";
        return false;
    }
    o.pattern = argv[i++];
    o.file = argv[i++];
    std::string probe;
    if (!animeditor::numberedPath(o.pattern, 0, probe)) {
        error = "PATTERN needs one number like %04d";
        return false;
    }
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (word == "--size" && hasValue) {
            if (!readSize(argv[++i], o.width, o.height, engine3d::SoftwareDevice::maxSide) || o.width < 10 ||
                o.height < 10) {
                error = "--size needs WIDTHxHEIGHT, each 10 to 16384";
                return false;
            }
        } else if (!o.playback && word == "--scene" && hasValue) {
            if (!readInt(argv[++i], o.scene) || o.scene < 1) {
                error = "--scene needs a scene number from 1";
                return false;
            }
        } else if (!o.playback && (word == "--from" || word == "--to") && hasValue) {
            int& v = word == "--from" ? o.from : o.to;
            if (!readInt(argv[++i], v) || v < 0) {
                error = word + " needs a frame index from 0";
                return false;
            }
        } else {
            error = "unknown option " + word;
            return false;
        }
    }
    return true;
}

int animeFramesCommand(int argc, char** argv)
{
    FramesOptions o;
    std::string error;
    if (!parseFramesOptions(argc, argv, o, error)) {
        std::fprintf(stderr, "quilloanime: %s\n", error.c_str());
        return 2;
    }
    ScriptedAnimeDialogs dialogs; // no answers: any question is refused
    anim::SilentSoundDevice sound;
    AnimatorSettings settings;
    settings.maxwidth = o.width;
    settings.maxhight = o.height;
    animeditor::AnimeEditor editor(dialogs, sound, animeditor::engineSettingsOf(settings));
    auto report = [&dialogs] {
        for (const std::string& m : dialogs.shown) std::fprintf(stderr, "quilloanime: %s\n", m.c_str());
        dialogs.shown.clear();
    };
    if (!editor.ready()) {
        report();
        return 1;
    }
    if (anim::readAnimation(editor.document(), o.file) != anim::Md7Status::ok) {
        report();
        return 1;
    }
    editor.makeSceneCurrent(-1);
    const int total = o.playback ? o.steps : 0;
    bool progressShown = false; // the progress line then needs its end of line
    const animeditor::PictureWriter write = [&](int n, std::string& why) {
        std::string path;
        animeditor::numberedPath(o.pattern, n, path);
        if (!makeParentFolders(path) || !writeEnginePng(editor.layer().device().target(), path)) {
            why = "cannot write " + path;
            return false;
        }
        if (total > 0)
            std::fprintf(stderr, "\rframe %d of %d", n + 1, total);
        else
            std::fprintf(stderr, "\rframe %d", n + 1);
        progressShown = true;
        return true;
    };
    const bool ok = o.playback ? animeditor::exportPlayback(editor, o.steps, write, error)
                               : animeditor::exportSceneFrames(editor, o.scene - 1, o.from, o.to, write, error);
    if (progressShown) std::fputc('\n', stderr);
    report();
    if (!ok) {
        std::fprintf(stderr, "quilloanime: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace quillo
