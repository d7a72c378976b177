#include "link/ckrq_serial_port.h"

#include "platform/thread_priority.h"

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
    Close();
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
    const SerialHandle handle = OpenSerialDevice(device, baud, why);
    if (handle == kInvalidSerialHandle)
        return false;
    {
        std::lock_guard rx_lock(m_rx_lock);
        m_rx_queue.Clear();
    }
    m_device_gone = false;
    if (m_reading == PortReading::kOwnerThread) {
        m_handle = handle;
        return true;
    }
    m_stop_event.Reset();
    try {
        m_reader = std::thread(&CKRQSerialPort::ReaderThread, this, handle);
        NameThread(m_reader, kSerialReaderThreadName);
    } catch (const std::system_error& error) {
        CloseSerialDevice(handle);
        if (why != nullptr)
            *why = PortOpenResult{PortOpenCause::kOther, error.code().value()};
        return false;
    }
    m_handle = handle;
    return true;
}

void CKRQSerialPort::Close()
{
    Close(Lock());
}

void CKRQSerialPort::Close(const PortLock& lock)
{
    CheckHeld(lock);
    if (m_reader.joinable()) {
        m_stop_event.Signal();
        m_reader.join();
    }
    if (m_handle != kInvalidSerialHandle) {
        CloseSerialDevice(m_handle);
        m_handle = kInvalidSerialHandle;
    }
    m_tx_remainder.clear();
}

bool CKRQSerialPort::IsOpen()
{
    return IsOpen(Lock());
}

bool CKRQSerialPort::IsOpen(const PortLock& lock) const
{
    CheckHeld(lock);
    return m_handle != kInvalidSerialHandle;
}

bool CKRQSerialPort::HasReader()
{
    const PortLock lock = Lock();
    return m_reader.joinable();
}

SerialReadResult CKRQSerialPort::ReadAvailable(size_t limit)
{
    const PortLock lock = Lock();
    if (m_handle == kInvalidSerialHandle || m_device_gone)
        return {0, false};
    std::array<uint8_t, kReadBufferSize> buffer;
    size_t total = 0;
    while (total < limit) {
        const size_t wanted = std::min(buffer.size(), limit - total);
        const SerialReadResult read = ReadSerial(m_handle, buffer.data(), wanted);
        if (read.m_count > 0)
            QueueReceived(std::span(buffer.data(), read.m_count));
        total += read.m_count;
        if (!read.m_alive) {
            m_device_gone = true;
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
    return WriteSerial(m_handle, data, count);
}

std::vector<uint8_t>& CKRQSerialPort::PendingTail(const PortLock& lock)
{
    CheckHeld(lock);
    return m_tx_remainder;
}

void CKRQSerialPort::CloseAfterWriteFailure(const PortLock& lock)
{
    Close(lock);
    if (m_owner != nullptr)
        m_owner->PostSerialEvent(kSerialWriteFailed);
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

void CKRQSerialPort::CheckHeld([[maybe_unused]] const PortLock& lock) const
{
    assert(lock.owns_lock() && lock.mutex() == &m_lock);
}

// Nothing may escape a thread: running out of memory for a burst ends the
// reader as quietly as a hang-up does.
void CKRQSerialPort::ReaderThread(SerialHandle handle)
{
    try {
        ReadUntilStopped(handle);
    } catch (...) {
    }
}

// Moves each burst of received bytes into the queue: one wait and one read
// per burst. A burst larger than the buffer is read over several passes, so
// the stop signal is looked at between reads even under a flood. A hang-up
// or a read error ends the thread quietly: the handle stays open and the
// next write that fails reports the loss.
void CKRQSerialPort::ReadUntilStopped(SerialHandle handle)
{
    RaiseCurrentThreadPriority();
    std::array<uint8_t, kReadBufferSize> buffer;
    while (WaitSerialReadable(handle, m_stop_event) == SerialWait::kReadable) {
        const SerialReadResult read = ReadSerial(handle, buffer.data(), buffer.size());
        if (read.m_count > 0)
            QueueReceived(std::span(buffer.data(), read.m_count));
        if (!read.m_alive)
            return;
    }
}
