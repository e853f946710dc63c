#include "record_array.h"

#include <cstdlib>
#include <vector>

namespace quillo {

namespace {
OutOfMemoryHandler outOfMemory = nullptr;
}

void setOutOfMemoryHandler(OutOfMemoryHandler handler) { outOfMemory = handler; }

RecordArray::RecordArray(uint32_t recordSize) : recordSize_(recordSize) {}

RecordArray::~RecordArray() { std::free(data_); }

void RecordArray::setMirror(void** mirror)
{
    mirror_ = mirror;
    if (mirror_)
        *mirror_ = data_;
}

int RecordArray::nextCapacity(int capacity)
{
    if (capacity < 200) return capacity + 50;
    if (capacity < 400) return capacity + 100;
    if (capacity < 800) return capacity + 200;
    if (capacity < 2000) return capacity + 500;
    if (capacity < 4000) return capacity + 1000;
    if (capacity < 8000) return capacity + 2000;
    if (capacity < 20000) return capacity + 5000;
    if (capacity < 40000) return capacity + 10000;
    if (capacity < 80000) return capacity + 20000;
    return capacity * 2;
}

bool RecordArray::grow()
{
    int next = nextCapacity(capacity_);
    size_t bytes = size_t(next) * recordSize_;
    if (next <= capacity_ || recordSize_ == 0) { // overflow of the count, or nothing to store
        if (recordSize_ == 0 && next > capacity_) {
            capacity_ = next;
            return true;
        }
        if (outOfMemory) outOfMemory();
        return false;
    }
    void* moved = std::realloc(data_, bytes);
    if (!moved) {
        if (outOfMemory) outOfMemory();
        return false;
    }
    data_ = static_cast<unsigned char*>(moved);
    capacity_ = next;
    if (mirror_)
        *mirror_ = data_;
    return true;
}

void* RecordArray::at(int i) const
{
    if (i < 0 || i >= count_) return nullptr;
    return data_ + size_t(i) * recordSize_;
}

void* RecordArray::pointerAt(int i) const
{
    if (recordSize_ != sizeof(void*)) return nullptr;
    void* slot = at(i);
    if (!slot) return nullptr;
    void* p;
    std::memcpy(&p, slot, sizeof p);
    return p;
}

int RecordArray::append(const void* record)
{
    if (count_ >= capacity_ && !grow()) return -1;
    if (record)
        std::memcpy(data_ + size_t(count_) * recordSize_, record, recordSize_);
    return count_++;
}

int RecordArray::find(const void* record) const
{
    if (!record) return -1;
    for (int i = 0; i < count_; ++i)
        if (std::memcmp(data_ + size_t(i) * recordSize_, record, recordSize_) == 0) return i;
    return -1;
}

int RecordArray::appendUnique(const void* record)
{
    if (record) {
        int i = find(record);
        if (i >= 0) return i;
    }
    return append(record);
}

void RecordArray::removeAt(int i)
{
    if (i < 0 || i >= count_) return;
    std::memmove(data_ + size_t(i) * recordSize_, data_ + size_t(i + 1) * recordSize_,
                 size_t(count_ - i - 1) * recordSize_);
    --count_;
}

int RecordArray::removeAllEqual(const void* record)
{
    if (!record) return 0;
    // The record may be one of ours and move while we remove.
    std::vector<unsigned char> copy(static_cast<const unsigned char*>(record),
                                    static_cast<const unsigned char*>(record) + recordSize_);
    int removed = 0;
    // Same result as restarting the search after every removal: a single
    // compacting pass keeps the others in order.
    int out = 0;
    for (int i = 0; i < count_; ++i) {
        unsigned char* r = data_ + size_t(i) * recordSize_;
        if (std::memcmp(r, copy.data(), recordSize_) == 0) {
            removed = 1;
            continue;
        }
        if (out != i) std::memcpy(data_ + size_t(out) * recordSize_, r, recordSize_);
        ++out;
    }
    count_ = out;
    return removed;
}

void RecordArray::addMissingFrom(const RecordArray& other)
{
    if (other.recordSize_ != recordSize_ || &other == this) return;
    for (int i = 0; i < other.count_; ++i) {
        const void* r = other.at(i);
        if (find(r) < 0) append(r);
    }
}

void RecordArray::reset(int newRecordSize)
{
    count_ = 0;
    if (newRecordSize != -1 && newRecordSize > 0) {
        capacity_ = int((int64_t(capacity_) * recordSize_) / newRecordSize);
        recordSize_ = uint32_t(newRecordSize);
    }
}

void RecordArray::insertAt(int i, const void* record)
{
    if (i < 0 || i >= count_) return;
    // Copy first: the record may live in this array and move on growth.
    std::vector<unsigned char> copy(recordSize_);
    if (record) std::memcpy(copy.data(), record, recordSize_);
    if (append(nullptr) < 0) return;
    std::memmove(data_ + size_t(i + 1) * recordSize_, data_ + size_t(i) * recordSize_,
                 size_t(count_ - 1 - i) * recordSize_);
    if (record) std::memcpy(data_ + size_t(i) * recordSize_, copy.data(), recordSize_);
}

} // namespace quillo
