#include "link/receive_queue.h"

#include <algorithm>
#include <cstring>

ReceiveQueue::ReceiveQueue(size_t capacity) : m_ring(std::max<size_t>(capacity, 1)) {}

void ReceiveQueue::Append(std::span<const uint8_t> bytes)
{
    // memcpy must not see the null pointer an empty span may hold.
    if (bytes.empty())
        return;
    m_appended += bytes.size();
    if (bytes.size() >= Capacity()) {
        // Only the newest capacity's worth can be kept.
        m_dropped += m_size + bytes.size() - Capacity();
        Clear();
        CopyIn(bytes.last(Capacity()));
        return;
    }
    const size_t overflow = m_size + bytes.size() > Capacity() ? m_size + bytes.size() - Capacity() : 0;
    m_head = (m_head + overflow) % Capacity();
    m_size -= overflow;
    m_dropped += overflow;
    CopyIn(bytes);
}

void ReceiveQueue::CopyIn(std::span<const uint8_t> bytes)
{
    const size_t tail = (m_head + m_size) % Capacity();
    const size_t first = std::min(bytes.size(), Capacity() - tail);
    std::memcpy(m_ring.data() + tail, bytes.data(), first);
    std::memcpy(m_ring.data(), bytes.data() + first, bytes.size() - first);
    m_size += bytes.size();
}

void ReceiveQueue::TakeInto(std::vector<uint8_t>& bytes, size_t limit)
{
    const size_t count = std::min(limit, m_size);
    bytes.resize(count);
    if (count == 0)
        return;
    const size_t first = std::min(count, Capacity() - m_head);
    std::memcpy(bytes.data(), m_ring.data() + m_head, first);
    std::memcpy(bytes.data() + first, m_ring.data(), count - first);
    m_head = (m_head + count) % Capacity();
    m_size -= count;
}

void ReceiveQueue::Clear()
{
    m_head = 0;
    m_size = 0;
}
