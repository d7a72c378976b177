#include "link/ckrq_serial_port.h"

#include "link/send_frame.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <system_error>

namespace {

// Large enough that a flood costs few system calls per megabyte.
constexpr size_t kReadBufferSize = size_t{16} * 1024;

} // namespace

CKRQSerialPort::~CKRQSerialPort()
{
    // This class's own Close: a class derived from it is already gone.
    CKRQSerialPort::Close();
}

void CKRQSerialPort::SetOwner(SerialEventSink* owner)
{
    // The reader reads the owner under m_rx_lock, a writer under m_lock.
    std::lock_guard lock(m_lock);
    std::lock_guard rx_lock(m_rx_lock);
    m_owner = owner;
}

bool CKRQSerialPort::Open(const std::string& device, int baud, PortOpenResult* why)
{
    const PortLock lock = Lock();
    Close(lock);
    PortOpenResult result = m_device.Open(device, baud);
    if (result.Succeeded()) {
        std::lock_guard rx_lock(m_rx_lock);
        m_rx_queue.Clear();
    }
    if (result.Succeeded() && m_reading == PortReading::kReaderThread) {
        try {
            m_reader.Start(m_device);
        } catch (const std::system_error& error) {
            m_device.Close();
            result = PortOpenResult{PortOpenCause::kOther, error.code().value()};
        }
    }
    if (why != nullptr)
        *why = result;
    return result.Succeeded();
}

void CKRQSerialPort::Close()
{
    Close(Lock());
}

void CKRQSerialPort::Close(const PortLock& lock)
{
    CheckHeld(lock);
    m_reader.Stop();
    m_device.Close();
    m_tx_remainder.clear();
}

bool CKRQSerialPort::IsOpen()
{
    return IsOpen(Lock());
}

bool CKRQSerialPort::IsOpen(const PortLock& lock) const
{
    CheckHeld(lock);
    return m_device.IsOpen();
}

bool CKRQSerialPort::HasReader()
{
    const PortLock lock = Lock();
    return m_reader.IsStarted();
}

void CKRQSerialPort::Send(const ProtocolFrame& frame)
{
    SendFrame(*this, frame);
}

SerialReadResult CKRQSerialPort::ReadAvailable(size_t limit)
{
    const PortLock lock = Lock();
    const bool alive = m_device.IsOpen() && !m_device.HasHungUp();
    if (!alive || m_reading != PortReading::kOwnerThread)
        return {0, alive};
    std::array<uint8_t, kReadBufferSize> buffer;
    size_t total = 0;
    while (total < limit) {
        const size_t wanted = std::min(buffer.size(), limit - total);
        const SerialReadResult read = m_device.Read(buffer.data(), wanted);
        if (read.m_count > 0)
            QueueReceived(std::span(buffer.data(), read.m_count));
        total += read.m_count;
        if (!read.m_alive) {
            Post(kSerialHungUp);
            return {total, false};
        }
        // A read that got less than it asked for emptied the driver.
        if (read.m_count < wanted)
            break;
    }
    return {total, true};
}

SerialWriteResult CKRQSerialPort::Write(const PortLock& lock, const uint8_t* data, size_t count)
{
    CheckHeld(lock);
    return m_device.Write(data, count);
}

std::vector<uint8_t>& CKRQSerialPort::PendingTail(const PortLock& lock)
{
    CheckHeld(lock);
    return m_tx_remainder;
}

void CKRQSerialPort::CloseAfterWriteFailure(const PortLock& lock)
{
    Close(lock);
    Post(kSerialWriteFailed);
}

void CKRQSerialPort::QueueReceived(std::span<const uint8_t> bytes)
{
    std::lock_guard rx_lock(m_rx_lock);
    m_rx_queue.Append(bytes);
    // Posted under the queue lock: the pump that answers finds the bytes.
    if (m_owner != nullptr)
        m_owner->PostSerialEvent(kSerialBytesQueued);
}

size_t CKRQSerialPort::TakeQueued(std::vector<uint8_t>& bytes, size_t limit)
{
    std::lock_guard rx_lock(m_rx_lock);
    m_rx_queue.TakeInto(bytes, limit);
    return m_rx_queue.Size();
}

size_t CKRQSerialPort::QueuedByteCount()
{
    std::lock_guard rx_lock(m_rx_lock);
    return m_rx_queue.Size();
}

CKRQSerialPort::ReceiveCounts CKRQSerialPort::Counts()
{
    std::lock_guard rx_lock(m_rx_lock);
    return {m_rx_queue.AppendedCount(), m_rx_queue.DroppedCount()};
}

// The reader's last word; the port stays open until the owner closes it,
// since the reader cannot join itself.
void CKRQSerialPort::OnReadingEnded()
{
    Post(kSerialHungUp);
}

// Under m_rx_lock, which the reader may take without m_lock: the owner is
// read under a lock either way, and news is never posted unguarded.
void CKRQSerialPort::Post(int wparam)
{
    std::lock_guard rx_lock(m_rx_lock);
    if (m_owner != nullptr)
        m_owner->PostSerialEvent(wparam);
}

void CKRQSerialPort::CheckHeld([[maybe_unused]] const PortLock& lock) const
{
    assert(lock.owns_lock() && lock.mutex() == &m_lock);
}
