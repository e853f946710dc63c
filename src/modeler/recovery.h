// Crash recovery: the open document is written now and then to a recovery
// file in a given folder while it holds changes that are not saved, and the
// file goes away when the document is saved, closed cleanly or given up.
// The next start offers a file that is still there. No timer here: the
// window calls write() every two minutes and settle() after each command.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/model.h"

namespace quillo {

// "前回終了時に保存されていない変更があります\n復元しますか？"
extern const char* const recoveryQuestion;
// How often the window writes the recovery file.
constexpr int recoveryIntervalMs = 2 * 60 * 1000;

class Recovery {
public:
    // `folder` is made when the first file is written.
    explicit Recovery(std::string folder);

    const std::string& path() const { return path_; }
    // A recovery file is there (left by an earlier run, or written by this one).
    bool exists() const;
    // Writes the document (atomically) when it differs from its saved state
    // (`generation` != `savedGeneration`) and has changed since the last
    // write; removes the file when the document is at its saved state.
    // False when the file could not be written.
    bool write(const ModelDocument& document, uint64_t generation, uint64_t savedGeneration);
    // After a command: a saved document needs no recovery file.
    void settle(uint64_t generation, uint64_t savedGeneration);
    // A clean exit, or the user declined to recover.
    void remove();

private:
    std::string folder_, path_;
    std::optional<uint64_t> written_; // the generation in the file
};

} // namespace quillo
