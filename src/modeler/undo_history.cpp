#include "undo_history.h"

namespace quillo {

void UndoHistory::reset(const ModelDocument& document, const EditCursor& cursor)
{
    steps_.clear();
    steps_.push_back(Step{takeSnapshot(document), 0, cursor, cursor});
    current_ = 0;
    recount(0);
    bytes_ = steps_[0].ownBytes;
    lastKey_ = ChangeKey{};
    ++generation_;
}

void UndoHistory::recount(size_t i)
{
    steps_[i].ownBytes = snapshotOwnBytes(steps_[i].snapshot, i > 0 ? &steps_[i - 1].snapshot : nullptr);
}

void UndoHistory::dropRedo()
{
    while (steps_.size() > current_ + 1) {
        bytes_ -= steps_.back().ownBytes;
        steps_.pop_back();
    }
}

void UndoHistory::trim()
{
    while (current_ > 0 && (bytes_ > limits_.maxBytes || int(steps_.size()) - 1 > limits_.maxSteps)) {
        bytes_ -= steps_[0].ownBytes + steps_[1].ownBytes;
        steps_.erase(steps_.begin());
        --current_;
        recount(0); // the new oldest step now holds alone what it shared with the one dropped
        bytes_ += steps_[0].ownBytes;
    }
}

bool UndoHistory::record(const ModelDocument& document, const ChangeKey& key, const EditCursor& before,
                         const EditCursor& after)
{
    if (steps_.empty()) {
        reset(document, after);
        return false;
    }
    bool changed = false;
    DocumentSnapshot now = takeSnapshot(document, &steps_[current_].snapshot, &changed);
    const bool merge = changed && key.mergeable && key == lastKey_ && current_ > 0 && current_ + 1 == steps_.size();
    lastKey_ = key;
    if (!changed) return false;
    dropRedo();
    if (merge) {
        Step& top = steps_[current_];
        bytes_ -= top.ownBytes;
        top.snapshot = std::move(now);
        top.after = after;
        recount(current_);
        bytes_ += top.ownBytes;
    } else {
        steps_.push_back(Step{std::move(now), 0, before, after});
        ++current_;
        recount(current_);
        bytes_ += steps_[current_].ownBytes;
    }
    ++generation_;
    trim();
    return true;
}

bool UndoHistory::undo(ModelDocument& document, RestoreResult& result, EditCursor& cursor)
{
    if (!canUndo()) return false;
    result = restoreSnapshot(document, steps_[current_ - 1].snapshot, steps_[current_].snapshot);
    cursor = steps_[current_].before;
    --current_;
    lastKey_ = ChangeKey{};
    ++generation_;
    return true;
}

bool UndoHistory::redo(ModelDocument& document, RestoreResult& result, EditCursor& cursor)
{
    if (!canRedo()) return false;
    result = restoreSnapshot(document, steps_[current_ + 1].snapshot, steps_[current_].snapshot);
    ++current_;
    cursor = steps_[current_].after;
    lastKey_ = ChangeKey{};
    ++generation_;
    return true;
}

} // namespace quillo
