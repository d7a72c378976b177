#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Received bytes waiting for the receive pump, at most `capacity` of them.
// A peer that sends faster than the pump decodes must not grow the process
// without limit: beyond the capacity the oldest bytes make room for the
// newest and are counted as dropped. Not synchronised; the port guards it.
class ReceiveQueue {
public:
    explicit ReceiveQueue(size_t capacity);

    void Append(std::span<const uint8_t> bytes);
    // Replaces `bytes` with the oldest queued bytes, at most `limit` of them.
    void TakeInto(std::vector<uint8_t>& bytes, size_t limit);
    void Clear();

    size_t Size() const { return m_size; }
    size_t Capacity() const { return m_ring.size(); }
    // Bytes ever appended, and those dropped to make room, since construction.
    uint64_t AppendedCount() const { return m_appended; }
    uint64_t DroppedCount() const { return m_dropped; }

private:
    // Copies `bytes` in at the end; they must fit.
    void CopyIn(std::span<const uint8_t> bytes);

    std::vector<uint8_t> m_ring;
    size_t m_head = 0; // index of the oldest byte
    size_t m_size = 0;
    uint64_t m_appended = 0;
    uint64_t m_dropped = 0;
};
