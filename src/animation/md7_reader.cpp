#include "md7_file.h"

#include "anim_messages.h"
#include "anim_paths.h"
#include "animation_document.h"
#include "mapped_file.h"
#include "model/messages.h"
#include "scene_frames.h"
#include "stage_view.h"
#include "token_reader.h"

namespace quillo::anim {

namespace {

class Md7Reader {
public:
    Md7Reader(AnimationDocument& doc, std::string_view bytes, const std::string& directory)
        : doc_(doc), in_(bytes), directory_(directory)
    {
    }

    Md7Status read()
    {
        std::string keyword;
        bool more = in_.token(keyword);
        in_.skipByte();
        while (more) {
            Md7Status status = Md7Status::ok;
            if (keyword == "SERIF")
                status = readDialogue();
            else if (keyword == "MUSIC")
                status = readMusic();
            else if (keyword == "HAIKEI")
                status = readBackgrounds();
            else if (keyword == "BAMEN")
                status = readScenes();
            if (status != Md7Status::ok) return status;
            more = in_.token(keyword);
            in_.skipByte();
        }
        return Md7Status::ok;
    }

private:
    // Reads the count n of a table and its n - 1 entries.
    template <class Add>
    Md7Status readTable(Add add)
    {
        int n = 0;
        if (!in_.number(n)) return Md7Status::damaged;
        std::string token;
        for (int i = 1; i < n; ++i) {
            in_.skipByte();
            if (!in_.token(token)) return Md7Status::damaged;
            add(token);
        }
        in_.skipByte();
        return Md7Status::ok;
    }

    Md7Status readDialogue()
    {
        doc_.dialogue.resize(1);
        doc_.currentDialogue = -1;
        if (doc_.view) doc_.view->showDialogue("");
        return readTable([&](const std::string& line) { doc_.dialogue.push_back(cutToken(line, kLineBytes)); });
    }

    Md7Status readMusic()
    {
        doc_.music.closeAll();
        return readTable([&](const std::string& token) { doc_.music.add(resolveStoredPath(token, directory_)); });
    }

    Md7Status readBackgrounds()
    {
        doc_.backgrounds.resize(1);
        doc_.currentBackground = 0;
        return readTable(
            [&](const std::string& token) { doc_.backgrounds.push_back(resolveStoredPath(token, directory_)); });
    }

    Md7Status readScenes()
    {
        int count = 0;
        if (!in_.number(count)) return Md7Status::damaged;
        in_.skipByte();
        for (int s = 0; s < count; ++s) {
            if (s > 0) {
                if (in_.atEnd()) return Md7Status::damaged;
                doc_.addScene("1");
            }
            const Md7Status status = readScene(doc_.current());
            if (status != Md7Status::ok) return status;
        }
        return Md7Status::ok;
    }

    Md7Status readScene(Scene& scene)
    {
        std::string token;
        if (!in_.token(token)) return Md7Status::damaged;
        scene.name = cutToken(token, kNameBytes);
        in_.skipByte();
        in_.token(token); // "OBJCT"
        in_.skipByte();
        int models = 0;
        if (!in_.number(models) || models < 0) return Md7Status::damaged;
        in_.skipByte();
        for (int m = 0; m < models; ++m) {
            if (!in_.token(token)) return Md7Status::damaged;
            in_.skipByte();
            // Without this model the record size is unknown, so neither this
            // scene's frames nor anything after them can be found.
            if (!doc_.findOrLoadModel(resolveStoredPath(token, directory_))) return Md7Status::missingModel;
        }
        in_.token(token); // "data"
        in_.skipByte();
        int frames = 0;
        if (!in_.number(frames) || frames < 0) return Md7Status::damaged;
        in_.skipByte();
        const size_t size = size_t(scene.recordSize());
        int whole = frames;
        if (size > 0 && size_t(frames) * size > in_.remaining()) whole = int(in_.remaining() / size);
        if (!scene.frames.appendAll(in_.bytes(size_t(whole) * size), whole)) return Md7Status::damaged;
        scene.frameIndex = 0;
        return whole == frames ? Md7Status::ok : Md7Status::damaged;
    }

    AnimationDocument& doc_;
    TokenReader in_;
    std::string directory_;
};

} // namespace

Md7Status parseAnimation(AnimationDocument& doc, std::string_view bytes, const std::string& directory)
{
    doc.reset();
    doc.directory = directory;
    const Md7Status status = Md7Reader(doc, bytes, directory).read();
    doc.currentScene = doc.scenes.front().get();
    doc.current().frameIndex = 0;
    applySceneFrame(doc);
    return status;
}

Md7Status readAnimation(AnimationDocument& doc, const std::string& path)
{
    MappedFile file;
    if (!file.open(path)) {
        errorbox(formatMessage(text::cannotRead, path.c_str()));
        return Md7Status::cannotOpen;
    }
    const std::string absolute = absoluteFilePath(path);
    const Md7Status status = parseAnimation(doc, file.bytes(), fileDirectory(absolute));
    if (status == Md7Status::damaged) errorbox(formatMessage(text::cannotRead, path.c_str()));
    doc.path = status == Md7Status::ok ? absolute : std::string();
    return status;
}

} // namespace quillo::anim
