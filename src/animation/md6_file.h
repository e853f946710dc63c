// MD6 motion files: four text lines ("%s\n%d\ndata\n%d\n": name, record
// size, the keyword, frame count) followed by the raw frame records.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "motion.h"

namespace quillo::anim {

enum class ReadStatus {
    ok,
    cannotOpen, // nothing read; the motion is as it was
    damaged,    // the name, size and every complete record were kept
};

// Parses MD6 bytes into `motion` (its frames replaced). A third token other
// than "data" gives a motion without frames. Counts and sizes are checked
// against the bytes present, and only complete records are kept.
ReadStatus parseMotion(std::string_view bytes, Motion& motion);

// Reads the file into `motion` and stores the path in it; on failure shows
// "ファイル %s が読み込めません". A file that cannot be read leaves the motion
// as it was; a damaged one keeps what was whole and the path "new.md6", so
// that a later save cannot overwrite the file with the partial motion.
ReadStatus readMotion(const std::string& path, Motion& motion);

// The file's bytes for the motion.
std::string motionFileBytes(const Motion& motion);

// Writes the motion to `path` atomically. Refuses (with a message) a name
// that would not read back; shows "ファイル %s に書き込めません" on failure.
bool writeMotion(const Motion& motion, const std::string& path);

// Saves the motion to its path: an existing file is replaced only after the
// question "動作 %s をファイルに保存しますか？" and a save-file choice
// (`chooseSavePath` returns the chosen path, empty when cancelled), which
// becomes the motion's path. A path with no file yet is written directly.
bool saveMotion(Motion& motion, const std::function<std::string()>& chooseSavePath);

} // namespace quillo::anim
