// A hash index beside a Records<T> list, for find-or-add in constant time.
// It gives the same index as a linear search for the first equal record
// (byte comparison, as RecordArray::find), as long as the list only grows
// through this index.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "model/record_array.h"

namespace quillo {

template <class T>
class RecordIndex {
    static_assert(sizeof(T) % 4 == 0, "records are hashed as 32-bit words");

public:
    explicit RecordIndex(Records<T>& records) : records_(records) { rebuild(); }

    // Index of the first record equal to r; appends r when there is none.
    // Returns -1 only when the list could not grow.
    int findOrAdd(const T& r)
    {
        if (size_t(records_.count() + 1) * 2 > slots_.size()) grow();
        size_t i = hash(r) & mask_;
        while (slots_[i] >= 0) {
            if (std::memcmp(&records_[slots_[i]], &r, sizeof(T)) == 0) return slots_[i];
            i = (i + 1) & mask_;
        }
        int index = records_.append(r);
        if (index >= 0) slots_[i] = index;
        return index;
    }

    // Indexes the list again after it was changed other than by findOrAdd.
    void rebuild()
    {
        size_t size = 16;
        while (size < size_t(records_.count()) * 2 + 2) size *= 2;
        slots_.assign(size, -1);
        mask_ = size - 1;
        for (int k = 0; k < records_.count(); ++k) insertFirst(k);
    }

private:
    static size_t hash(const T& r)
    {
        uint32_t words[sizeof(T) / 4];
        std::memcpy(words, &r, sizeof(T));
        uint64_t h = 0x9E3779B97F4A7C15ull;
        for (uint32_t w : words) h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        // The products leave the low bits poorly mixed; fold the high ones in.
        h ^= h >> 33;
        h *= 0xC4CEB9FE1A85EC53ull;
        return size_t(h ^ (h >> 33));
    }

    // Keeps the earlier record when two equal ones exist.
    void insertFirst(int k)
    {
        const T& r = records_[k];
        size_t i = hash(r) & mask_;
        while (slots_[i] >= 0) {
            if (std::memcmp(&records_[slots_[i]], &r, sizeof(T)) == 0) return;
            i = (i + 1) & mask_;
        }
        slots_[i] = k;
    }

    void grow()
    {
        size_t size = slots_.size() * 2;
        slots_.assign(size, -1);
        mask_ = size - 1;
        for (int k = 0; k < records_.count(); ++k) insertFirst(k);
    }

    Records<T>& records_;
    std::vector<int32_t> slots_;
    size_t mask_ = 0;
};

} // namespace quillo
