#include "md6_file.h"

#include <filesystem>

#include "anim_messages.h"
#include "mapped_file.h"
#include "model/file_util.h"
#include "model/messages.h"
#include "token_reader.h"

namespace quillo::anim {

ReadStatus parseMotion(std::string_view bytes, Motion& motion)
{
    TokenReader in(bytes);
    std::string name, keyword;
    int recordSize = 0;
    if (!in.token(name)) return ReadStatus::cannotOpen;
    in.skipByte();
    if (!in.number(recordSize) || recordSize < 0) return ReadStatus::cannotOpen;
    in.skipByte();
    motion.name = cutToken(name, kNameBytes);
    motion.frames.reset(recordSize);
    if (!in.token(keyword) || keyword != "data") return ReadStatus::ok;
    in.skipByte();
    int count = 0;
    if (!in.number(count) || count < 0) return ReadStatus::damaged;
    in.skipByte();
    // Only as many records as the file really holds are allocated.
    int whole = count;
    if (recordSize > 0 && size_t(count) * size_t(recordSize) > in.remaining())
        whole = int(in.remaining() / size_t(recordSize));
    const unsigned char* records = in.bytes(size_t(whole) * size_t(recordSize));
    if (!motion.frames.appendAll(records, whole)) return ReadStatus::damaged;
    return whole == count ? ReadStatus::ok : ReadStatus::damaged;
}

ReadStatus readMotion(const std::string& path, Motion& motion)
{
    MappedFile file;
    Motion read;
    ReadStatus status = file.open(path) ? parseMotion(file.bytes(), read) : ReadStatus::cannotOpen;
    if (status != ReadStatus::ok) errorbox(formatMessage(text::cannotRead, path.c_str()));
    if (status == ReadStatus::cannotOpen) return status;
    read.path = status == ReadStatus::ok ? path : std::string("new.md6");
    motion = std::move(read);
    return status;
}

std::string motionFileBytes(const Motion& motion)
{
    std::string bytes = motion.name + "\n" + std::to_string(motion.frames.recordSize()) + "\ndata\n" +
                        std::to_string(motion.frames.count()) + "\n";
    const int n = motion.frames.count();
    if (n > 0 && motion.frames.recordSize() > 0)
        bytes.append(reinterpret_cast<const char*>(motion.frames.at(0)),
                     size_t(n) * size_t(motion.frames.recordSize()));
    return bytes;
}

bool writeMotion(const Motion& motion, const std::string& path)
{
    if (!isStorableToken(motion.name)) {
        errorbox(formatMessage(text::unstorable, motion.name.c_str()));
        return false;
    }
    if (!writeFileAtomically(path, motionFileBytes(motion))) {
        errorbox(formatMessage(text::cannotWrite, path.c_str()));
        return false;
    }
    return true;
}

bool saveMotion(Motion& motion, const std::function<std::string()>& chooseSavePath)
{
    std::error_code ec;
    std::string path = motion.path;
    if (std::filesystem::exists(path, ec)) {
        if (!askbox(formatMessage(text::saveMotionQuestion, motion.name.c_str()))) return false;
        path = chooseSavePath ? chooseSavePath() : std::string();
        if (path.empty()) return false;
    }
    if (!writeMotion(motion, path)) return false;
    motion.path = path;
    return true;
}

} // namespace quillo::anim
