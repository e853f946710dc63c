#include "md7_file.h"

#include "anim_messages.h"
#include "anim_paths.h"
#include "animation_document.h"
#include <algorithm>

#include "model/atomic_file.h"
#include "model/messages.h"
#include "token_reader.h"

namespace quillo::anim {

namespace {

// Writes into a string, or straight into a file in pieces, so that a big
// animation is never held twice in memory.
class Md7Writer {
public:
    Md7Writer(std::string& out, const std::string& directory) : out_(&out), directory_(directory) {}
    Md7Writer(AtomicFile& file, const std::string& directory) : file_(&file), directory_(directory) {}
    // False once the file could not be written.
    bool ok() const { return ok_; }

    // Appends "%s\n"; false (with a message) for text that would not read back.
    bool token(const std::string& text)
    {
        if (!isStorableToken(text)) {
            errorbox(formatMessage(text::unstorable, text.c_str()));
            return false;
        }
        emit(text);
        emit("\n");
        return true;
    }
    bool path(const std::string& p) { return token(writtenPath(p, directory_)); }
    void number(int n) { emit(std::to_string(n) + '\n'); }
    void block(const char* keyword, int n)
    {
        emit(keyword);
        emit("\n");
        number(n);
    }
    void raw(const unsigned char* bytes, size_t n)
    {
        constexpr size_t piece = size_t(1) << 20;
        for (size_t done = 0; done < n; done += piece)
            emit(std::string_view(reinterpret_cast<const char*>(bytes) + done, std::min(piece, n - done)));
    }

private:
    void emit(std::string_view text)
    {
        if (out_)
            out_->append(text);
        else if (ok_)
            ok_ = file_->write(text);
    }
    std::string* out_ = nullptr;
    AtomicFile* file_ = nullptr;
    const std::string& directory_;
    bool ok_ = true;
};

bool writeScene(Md7Writer& w, const Scene& scene)
{
    if (!w.token(scene.name)) return false;
    w.token("OBJCT");
    w.number(int(scene.modelPaths.size()));
    for (const std::string& p : scene.modelPaths)
        if (!w.path(p)) return false;
    w.token("data");
    const int frames = scene.frames.count();
    w.number(frames);
    if (frames > 0 && scene.recordSize() > 0)
        w.raw(scene.frames.at(0), size_t(frames) * size_t(scene.recordSize()));
    return true;
}

bool writeDocument(Md7Writer& w, const AnimationDocument& doc)
{
    if (doc.dialogue.size() > 1) {
        w.block("SERIF", int(doc.dialogue.size()));
        for (size_t i = 1; i < doc.dialogue.size(); ++i)
            if (!w.token(doc.dialogue[i])) return false;
    }
    if (doc.music.count() > 1) {
        w.block("MUSIC", doc.music.count());
        for (int i = 1; i < doc.music.count(); ++i)
            if (!w.path(doc.music.entry(i).path)) return false;
    }
    if (doc.backgrounds.size() > 1) {
        w.block("HAIKEI", int(doc.backgrounds.size()));
        for (size_t i = 1; i < doc.backgrounds.size(); ++i)
            if (!w.path(doc.backgrounds[i])) return false;
    }
    w.block("BAMEN", int(doc.scenes.size()));
    for (const auto& scene : doc.scenes)
        if (!writeScene(w, *scene)) return false;
    return true;
}

} // namespace

bool animationFileBytes(const AnimationDocument& doc, const std::string& directory, std::string& bytes)
{
    bytes.clear();
    Md7Writer w(bytes, directory);
    return writeDocument(w, doc);
}

bool writeAnimation(AnimationDocument& doc, const std::string& path)
{
    const std::string absolute = absoluteFilePath(path);
    const std::string directory = fileDirectory(absolute);
    AtomicFile file(absolute); // the target is replaced only by commit()
    bool written = false;
    if (file.open()) {
        Md7Writer w(file, directory);
        if (!writeDocument(w, doc)) return false; // refused text, already reported
        written = w.ok() && file.commit();
    }
    if (!written) {
        errorbox(formatMessage(text::cannotWrite, path.c_str()));
        return false;
    }
    doc.directory = directory;
    doc.path = absolute;
    return true;
}

} // namespace quillo::anim
