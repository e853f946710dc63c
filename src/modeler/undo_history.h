// The model editor's undo history: a list of document snapshots, one per
// change, with the position of the one the document holds now. Snapshots
// share unchanged chunks with their neighbours; the oldest steps go when
// the history holds more than its byte or step limit. Repeated moves by
// the same key on the same target merge into one step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/model_snapshot.h"

namespace quillo {

// Where the user was working: the current object (index among every
// object of the document), part (index in its part list) and picks.
struct EditCursor {
    int object = -1;
    int part = -1;
    int32_t pickpoint = -1;
    int32_t pickface[4] = {-1, -1, -1, -1};
    int texture = -1;
};

// What a change was made by. Two changes merge when both are mergeable and
// have equal keys, and nothing else was recorded or undone in between.
struct ChangeKey {
    int command = -1; // 0 for mouse drags
    int mode = -1;
    const void* target = nullptr;
    int32_t point = -1;
    bool mergeable = false;
    bool operator==(const ChangeKey& o) const
    {
        return command == o.command && mode == o.mode && target == o.target && point == o.point &&
               mergeable == o.mergeable;
    }
};

struct UndoLimits {
    size_t maxBytes = size_t(256) << 20;
    int maxSteps = 1000;
};

class UndoHistory {
public:
    explicit UndoHistory(UndoLimits limits = {}) : limits_(limits) {}

    // Forgets every step; the document as it is now is the new start.
    void reset(const ModelDocument& document, const EditCursor& cursor);
    // After a command (`key`) that may have changed the document: a new
    // step when it did (merged into the last one when the keys allow).
    // `before` is the cursor when the command began. True when it changed.
    bool record(const ModelDocument& document, const ChangeKey& key, const EditCursor& before, const EditCursor& after);
    // A command that cannot change the document: only ends a merge chain.
    void noteCommand() { lastKey_ = ChangeKey{}; }

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < steps_.size(); }
    // Restores the document to the step before (after); the cursor to put
    // back is returned through `cursor`. Empty result when there is none.
    bool undo(ModelDocument& document, RestoreResult& result, EditCursor& cursor);
    bool redo(ModelDocument& document, RestoreResult& result, EditCursor& cursor);

    // Steps that can be undone now, steps that can be redone, bytes held.
    int undoSteps() const { return int(current_); }
    int redoSteps() const { return int(steps_.size() - 1 - current_); }
    size_t bytes() const { return bytes_; }
    // Counts every change of the document (records, undos, redos), so that
    // others can tell whether it changed since they last looked.
    uint64_t generation() const { return generation_; }

private:
    struct Step {
        DocumentSnapshot snapshot;
        size_t ownBytes = 0;   // chunks not shared with the step before
        EditCursor before;     // cursor when the change began (undo puts it back)
        EditCursor after;      // cursor after it (redo puts it back)
    };
    void dropRedo();
    void trim();
    void recount(size_t i);

    UndoLimits limits_;
    std::vector<Step> steps_;
    size_t current_ = 0;
    size_t bytes_ = 0;
    ChangeKey lastKey_;
    uint64_t generation_ = 0;
};

} // namespace quillo
