#include "model/record_array.h"

#include <gtest/gtest.h>

#include <utility>

using quillo::PointerList;
using quillo::RecordArray;
using quillo::Records;

namespace {
int appendInt(RecordArray& a, int v) { return a.append(&v); }
int intAt(const RecordArray& a, int i) { return *static_cast<int*>(a.at(i)); }
} // namespace

TEST(RecordArray, GrowthFollowsTheSchedule)
{
    RecordArray a(4);
    EXPECT_EQ(a.capacity(), 0);
    EXPECT_EQ(a.data(), nullptr);
    appendInt(a, 0);
    EXPECT_EQ(a.capacity(), 50);
    for (int i = 1; i < 50; ++i) appendInt(a, i);
    EXPECT_EQ(a.capacity(), 50);
    appendInt(a, 50);
    EXPECT_EQ(a.capacity(), 100);
    // 150, 200, then steps of 100.
    int expected[] = {150, 200, 300, 400, 600, 800, 1300};
    for (int want : expected) {
        while (a.count() < a.capacity()) appendInt(a, 0);
        appendInt(a, 0);
        EXPECT_EQ(a.capacity(), want);
    }
    for (const auto& [from, to] : {std::pair{1999, 2499}, {79999, 99999}, {80000, 160000}, {40000, 60000}})
        EXPECT_EQ(RecordArray::nextCapacity(from), to) << from;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(intAt(a, i), i);
}

TEST(RecordArray, InvalidIndicesYieldNull)
{
    RecordArray a(4);
    appendInt(a, 7);
    EXPECT_EQ(a.at(-1), nullptr);
    EXPECT_EQ(a.at(1), nullptr);
    EXPECT_NE(a.at(0), nullptr);
    EXPECT_EQ(a.pointerAt(0), nullptr); // records are not pointers
    a.removeAt(5);
    a.removeAt(-1);
    EXPECT_EQ(a.count(), 1);

    int x = 3;
    PointerList<int> list;
    list.append(&x);
    EXPECT_EQ(list[0], &x);
    EXPECT_EQ(list[1], nullptr);
}

TEST(RecordArray, UniqueAppendAndFindAreBytewise)
{
    Records<float> a;
    a.append(0.0f);
    EXPECT_EQ(a.find(-0.0f), -1); // +0 and -0 differ by their bits
    EXPECT_EQ(a.appendUnique(-0.0f), 1);
    EXPECT_EQ(a.appendUnique(0.0f), 0);
    EXPECT_EQ(a.count(), 2);
    EXPECT_EQ(a.raw().appendUnique(nullptr), 2); // null always appends
    EXPECT_EQ(a.count(), 3);
}

TEST(RecordArray, RemoveAllEqualWithOwnRecord)
{
    RecordArray a(4);
    for (int v : {1, 2, 1, 3, 1}) appendInt(a, v);
    EXPECT_EQ(a.removeAllEqual(a.at(0)), 1); // the address of one of its own records
    ASSERT_EQ(a.count(), 2);
    EXPECT_EQ(intAt(a, 0), 2);
    EXPECT_EQ(intAt(a, 1), 3);
    int missing = 9;
    EXPECT_EQ(a.removeAllEqual(&missing), 0);
    EXPECT_EQ(a.count(), 2);
}

TEST(RecordArray, AddMissingFromIsAnOrderedUnion)
{
    RecordArray a(4), b(4), c(8);
    for (int v : {1, 2}) appendInt(a, v);
    for (int v : {2, 3, 1, 4, 3}) appendInt(b, v);
    a.addMissingFrom(b);
    ASSERT_EQ(a.count(), 4);
    EXPECT_EQ(intAt(a, 2), 3);
    EXPECT_EQ(intAt(a, 3), 4);
    long long big = 5;
    c.append(&big);
    a.addMissingFrom(c); // different record sizes: nothing happens
    EXPECT_EQ(a.count(), 4);
}

TEST(RecordArray, ResetKeepsTheBuffer)
{
    RecordArray a(4);
    appendInt(a, 1);
    void* buffer = a.data();
    a.reset(-1);
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(a.capacity(), 50);
    EXPECT_EQ(a.recordSize(), 4u);
    EXPECT_EQ(a.data(), buffer);
    a.reset(8);
    EXPECT_EQ(a.capacity(), 25);
    EXPECT_EQ(a.recordSize(), 8u);
}

TEST(RecordArray, InsertAt)
{
    RecordArray a(4);
    int r = 9;
    a.insertAt(0, &r); // empty: index 0 is not below count
    EXPECT_EQ(a.count(), 0);
    appendInt(a, 1);
    appendInt(a, 2);
    a.insertAt(2, &r); // index count is refused
    EXPECT_EQ(a.count(), 2);
    a.insertAt(0, &r);
    ASSERT_EQ(a.count(), 3);
    EXPECT_EQ(intAt(a, 0), 9);
    EXPECT_EQ(intAt(a, 1), 1);
    EXPECT_EQ(intAt(a, 2), 2);
    // Inserting a copy of a record of the array itself while it grows.
    while (a.count() < a.capacity()) appendInt(a, 5);
    a.insertAt(1, a.at(a.count() - 1));
    EXPECT_EQ(intAt(a, 1), 5);
    EXPECT_EQ(intAt(a, 0), 9);
    EXPECT_EQ(intAt(a, 2), 1);
}

TEST(RecordArray, MirrorFollowsTheBuffer)
{
    struct Owner {
        int* mirror = nullptr;
        Records<int> table;
    } owner;
    owner.table.setMirror(&owner.mirror);
    for (int i = 0; i < 1000; ++i) {
        owner.table.append(i);
        ASSERT_EQ(owner.mirror, owner.table.begin());
    }
    EXPECT_EQ(owner.mirror[999], 999);
}
