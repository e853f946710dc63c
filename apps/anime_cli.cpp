#include "anime_cli.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "animation/animation_document.h"
#include "animation/md4_pose_model.h"
#include "animation/md6_file.h"
#include "animation/md7_file.h"
#include "animation/sound_device.h"

namespace quillo {

namespace {

bool endsWith(const std::string& text, const char* tail)
{
    const size_t n = std::strlen(tail);
    if (text.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != tail[i]) return false;
    return true;
}

void line(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void line(std::string& out, const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    out += buffer;
    out += '\n';
}

// The first object of a model file, as a motion would drive it.
int objectRecordSize(anim::AnimModel& model) { return anim::motionRecordSize(model.object(0)); }

} // namespace

int animationInfo(const std::string& path, std::string& out)
{
    anim::Md4PoseLoader loader;
    anim::SilentSoundDevice sound;
    anim::AnimationDocument doc(loader, sound);
    if (anim::readAnimation(doc, path) != anim::Md7Status::ok) return 1;
    line(out, "animation %s", path.c_str());
    line(out, "dialogue lines: %d", int(doc.dialogue.size()) - 1);
    line(out, "music: %d", doc.music.count() - 1);
    for (int i = 1; i < doc.music.count(); ++i)
        line(out, "  %d %s %s", i, doc.music.entry(i).wave ? "wave" : "midi", doc.music.entry(i).path.c_str());
    line(out, "backgrounds: %d", int(doc.backgrounds.size()) - 1);
    for (size_t i = 1; i < doc.backgrounds.size(); ++i) line(out, "  %zu %s", i, doc.backgrounds[i].c_str());
    line(out, "models loaded: %d", doc.models.count());
    line(out, "scenes: %d", int(doc.scenes.size()));
    for (const auto& scene : doc.scenes) {
        line(out, "scene %s: %d models, %d objects, R %d (%d used), H %d, %d frames", scene->name.c_str(),
             int(scene->models.size()), int(scene->objects.size()), scene->recordSize(), scene->usedBytes(),
             scene->headerSize(), scene->frames.count());
        for (const std::string& model : scene->modelPaths) line(out, "  model %s", model.c_str());
    }
    return 0;
}

int motionInfo(const std::string& path, const std::string& modelPath, std::string& out)
{
    anim::Motion motion;
    if (anim::readMotion(path, motion) != anim::ReadStatus::ok) return 1;
    line(out, "motion %s", motion.name.c_str());
    line(out, "record size: %d", motion.frames.recordSize());
    line(out, "frames: %d", motion.frames.count());
    if (modelPath.empty()) return 0;
    anim::Md4PoseLoader loader;
    std::unique_ptr<anim::AnimModel> model = loader.load(modelPath);
    if (!model) return 1;
    const int size = objectRecordSize(*model);
    line(out, "model %s: record size %d, %s", modelPath.c_str(), size,
         size == motion.frames.recordSize() ? "fits" : "does not fit");
    return 0;
}

int convertAnimation(const std::string& in, const std::string& out)
{
    anim::Md4PoseLoader loader;
    anim::SilentSoundDevice sound;
    anim::AnimationDocument doc(loader, sound);
    if (anim::readAnimation(doc, in) != anim::Md7Status::ok) return 1;
    return anim::writeAnimation(doc, out) ? 0 : 1;
}

int convertMotion(const std::string& in, const std::string& out, const std::string& modelPath)
{
    anim::Motion motion;
    if (anim::readMotion(in, motion) != anim::ReadStatus::ok) return 1;
    anim::Md4PoseLoader loader;
    std::unique_ptr<anim::AnimModel> model = loader.load(modelPath);
    if (!model) return 1;
    if (!anim::motionFits(motion, model->object(0))) return 1;
    return anim::writeMotion(motion, out) ? 0 : 1;
}

int animeCommand(int argc, char** argv)
{
    if (argc < 3) return -1;
    const std::string mode = argv[1], file = argv[2];
    std::string text;
    int code = -1;
    if (mode == "--info" && (argc == 3 || argc == 4)) {
        if (endsWith(file, ".md6"))
            code = motionInfo(file, argc == 4 ? argv[3] : "", text);
        else if (argc == 3)
            code = animationInfo(file, text);
    } else if (mode == "--convert" && argc == 4 && !endsWith(file, ".md6")) {
        code = convertAnimation(file, argv[3]);
    } else if (mode == "--convert" && argc == 5 && endsWith(file, ".md6")) {
        code = convertMotion(file, argv[3], argv[4]);
    }
    std::fputs(text.c_str(), stdout);
    return code;
}

} // namespace quillo
