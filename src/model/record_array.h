// RecordArray: the one list type of the suite. A growable, contiguous array
// of fixed-size records copied in and out as plain bytes. Lists of objects
// hold pointers (record size sizeof(void*)) and never own what they point to.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace quillo {

class RecordArray {
public:
    explicit RecordArray(uint32_t recordSize);
    ~RecordArray();
    RecordArray(const RecordArray&) = delete;
    RecordArray& operator=(const RecordArray&) = delete;

    int count() const { return count_; }
    int capacity() const { return capacity_; }
    uint32_t recordSize() const { return recordSize_; }
    void* data() const { return data_; }

    // The owner keeps a copy of the buffer address in *mirror; every move of
    // the buffer stores the new address there too.
    void setMirror(void** mirror);

    // Address of record i, or null for an index outside 0..count-1.
    void* at(int i) const;
    // The pointer stored in record i; null for a bad index or when the
    // records are not pointers.
    void* pointerAt(int i) const;

    // Appends a copy of *record (null: slot left for the caller to fill).
    // Returns the new index, or -1 when memory ran out.
    int append(const void* record);
    // First index whose bytes equal *record, or -1.
    int find(const void* record) const;
    // Index of an equal record if present, else appends. Null always appends.
    int appendUnique(const void* record);
    void removeAt(int i);
    // Removes every record equal to *record (which may live in this array).
    // Returns 1 if anything was removed, else 0.
    int removeAllEqual(const void* record);
    // Set union keeping first occurrences; only for equal record sizes.
    void addMissingFrom(const RecordArray& other);
    // Empties the array, keeping the buffer; optionally changes the record
    // size so the buffer's byte size stays the same.
    void reset(int newRecordSize = -1);
    // Inserts before index i; only for 0 <= i < count.
    void insertAt(int i, const void* record);

    // Capacity that follows `capacity` on growth (in records).
    static int nextCapacity(int capacity);

private:
    bool grow();

    int32_t count_ = 0;
    int32_t capacity_ = 0;
    uint32_t recordSize_;
    unsigned char* data_ = nullptr;
    void** mirror_ = nullptr;
};

// Called when a buffer cannot be enlarged (the editors show their
// out-of-memory message). The failing append is refused.
using OutOfMemoryHandler = void (*)();
void setOutOfMemoryHandler(OutOfMemoryHandler handler);

// Typed view for trivially copyable records, so callers need no casts.
template <class T>
class Records {
    static_assert(std::is_trivially_copyable_v<T>, "records are copied as bytes");

public:
    Records() : array_(sizeof(T)) {}
    int count() const { return array_.count(); }
    T* at(int i) const { return static_cast<T*>(array_.at(i)); }
    T& operator[](int i) const { return static_cast<T*>(array_.data())[i]; }
    T* begin() const { return static_cast<T*>(array_.data()); }
    T* end() const { return begin() + count(); }
    int append(const T& r) { return array_.append(&r); }
    int find(const T& r) const { return array_.find(&r); }
    int appendUnique(const T& r) { return array_.appendUnique(&r); }
    void removeAt(int i) { array_.removeAt(i); }
    int removeAllEqual(const T& r) { return array_.removeAllEqual(&r); }
    void insertAt(int i, const T& r) { array_.insertAt(i, &r); }
    void reset() { array_.reset(); }
    void setMirror(T** mirror) { array_.setMirror(reinterpret_cast<void**>(mirror)); }
    RecordArray& raw() { return array_; }
    const RecordArray& raw() const { return array_; }

private:
    RecordArray array_;
};

// A list of pointers; the list never owns the pointed-to objects.
template <class T>
class PointerList {
public:
    PointerList() : array_(sizeof(T*)) {}
    int count() const { return array_.count(); }
    T* operator[](int i) const { return static_cast<T*>(array_.pointerAt(i)); }
    T** begin() const { return static_cast<T**>(array_.data()); }
    T** end() const { return begin() + count(); }
    int append(T* p) { return array_.append(&p); }
    int find(T* p) const { return array_.find(&p); }
    int appendUnique(T* p) { return array_.appendUnique(&p); }
    void removeAt(int i) { array_.removeAt(i); }
    int removeAllEqual(T* p) { return array_.removeAllEqual(&p); }
    void insertAt(int i, T* p) { array_.insertAt(i, &p); }
    void reset() { array_.reset(); }
    RecordArray& raw() { return array_; }

private:
    RecordArray array_;
};

} // namespace quillo
