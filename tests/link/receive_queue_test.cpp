#include "link/receive_queue.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

std::vector<uint8_t> Bytes(uint8_t first, size_t count)
{
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

std::vector<uint8_t> Take(ReceiveQueue& queue, size_t limit = SIZE_MAX)
{
    std::vector<uint8_t> bytes{0xEE}; // replaced, not appended to
    queue.TakeInto(bytes, limit);
    return bytes;
}

TEST(ReceiveQueue, KeepsOrderAcrossTheRingsEndAndTakesInSlices)
{
    ReceiveQueue queue(8);
    queue.Append(Bytes(0, 6));
    EXPECT_EQ(Take(queue, 4), Bytes(0, 4));
    queue.Append(Bytes(6, 5)); // runs over the end of the ring
    EXPECT_EQ(queue.Size(), 7u);
    EXPECT_EQ(Take(queue, 3), Bytes(4, 3));
    EXPECT_EQ(Take(queue), Bytes(7, 4));
    EXPECT_EQ(Take(queue), std::vector<uint8_t>{});
    EXPECT_EQ(queue.AppendedCount(), 11u);
    EXPECT_EQ(queue.DroppedCount(), 0u);
}

TEST(ReceiveQueue, BeyondItsCapacityTheOldestBytesGiveWayAndAreCounted)
{
    ReceiveQueue queue(8);
    queue.Append(Bytes(0, 5));
    queue.Append(Bytes(5, 5)); // two over
    EXPECT_EQ(queue.Size(), 8u);
    EXPECT_EQ(queue.DroppedCount(), 2u);
    EXPECT_EQ(Take(queue, 1), Bytes(2, 1));

    queue.Append(Bytes(10, 20)); // more than the whole ring at once
    EXPECT_EQ(queue.Size(), 8u);
    EXPECT_EQ(queue.DroppedCount(), 2u + 7u + 12u);
    EXPECT_EQ(Take(queue), Bytes(22, 8));
    EXPECT_EQ(queue.AppendedCount(), 30u);

    queue.Append(Bytes(0, 3));
    queue.Clear();
    EXPECT_EQ(queue.Size(), 0u);
    queue.Append({});
    EXPECT_EQ(Take(queue), std::vector<uint8_t>{});
}

} // namespace
