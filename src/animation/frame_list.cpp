#include "frame_list.h"

#include <climits>
#include <cstring>

namespace quillo::anim {

FrameList::FrameList(int recordSize) { reset(recordSize); }

void FrameList::reset(int recordSize)
{
    recordSize_ = recordSize > 0 ? recordSize : 0;
    emptyCount_ = 0;
    records_ = recordSize_ > 0 ? std::make_unique<RecordArray>(uint32_t(recordSize_)) : nullptr;
}

int FrameList::count() const { return records_ ? records_->count() : emptyCount_; }

unsigned char* FrameList::at(int i) const
{
    return records_ ? static_cast<unsigned char*>(records_->at(i)) : nullptr;
}

bool FrameList::append(const unsigned char* record)
{
    if (!records_) {
        ++emptyCount_;
        return true;
    }
    const int i = records_->append(record);
    if (i < 0) return false;
    if (!record) std::memset(at(i), 0, size_t(recordSize_));
    return true;
}

bool FrameList::appendAll(const unsigned char* records, int n)
{
    if (n < 0) return false;
    if (!records_) {
        if (n > INT_MAX - emptyCount_) return false;
        emptyCount_ += n;
        return true;
    }
    for (int i = 0; i < n; ++i)
        if (!append(records ? records + size_t(i) * size_t(recordSize_) : nullptr)) return false;
    return true;
}

bool FrameList::insertAt(int i, const unsigned char* record)
{
    if (i < 0 || i > count()) return false;
    if (i == count()) return append(record);
    if (!records_) {
        ++emptyCount_;
        return true;
    }
    if (!record) return false;
    const int before = records_->count();
    records_->insertAt(i, record);
    return records_->count() > before;
}

void FrameList::removeAt(int i)
{
    if (i < 0 || i >= count()) return;
    if (records_)
        records_->removeAt(i);
    else
        --emptyCount_;
}

} // namespace quillo::anim
