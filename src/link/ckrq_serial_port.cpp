#include "link/ckrq_serial_port.h"

#include "platform/thread_priority.h"

#include <system_error>

CKRQSerialPort::~CKRQSerialPort()
{
    std::lock_guard lock(m_lock);
    Close();
}

bool CKRQSerialPort::Open(const std::string& device, int baud)
{
    std::lock_guard lock(m_lock);
    Close();
    const SerialHandle handle = OpenSerialDevice(device, baud);
    if (handle == kInvalidSerialHandle)
        return false;
    {
        std::lock_guard rx_lock(m_rx_lock);
        m_rx_queue.clear();
    }
    m_stop_event.Reset();
    try {
        m_reader = std::thread(&CKRQSerialPort::ReaderThread, this, handle);
        NameThread(m_reader, kSerialReaderThreadName);
    } catch (const std::system_error&) {
        CloseSerialDevice(handle);
        return false;
    }
    m_handle = handle;
    return true;
}

void CKRQSerialPort::Close()
{
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

// Moves every burst of received bytes into the queue. A hang-up or a read
// error ends the thread quietly: the handle stays open and the next write
// that fails reports the loss.
void CKRQSerialPort::ReaderThread(SerialHandle handle)
{
    RaiseCurrentThreadPriority();
    std::vector<uint8_t> burst;
    while (WaitSerialReadable(handle, m_stop_event) == SerialWait::kReadable) {
        burst.clear();
        const bool alive = ReadSerialAvailable(handle, burst);
        if (!burst.empty())
            QueueReceived(burst);
        if (!alive)
            return;
    }
}

void CKRQSerialPort::QueueReceived(const std::vector<uint8_t>& bytes)
{
    std::lock_guard rx_lock(m_rx_lock);
    m_rx_queue.insert(m_rx_queue.end(), bytes.begin(), bytes.end());
    // Posted under the queue lock: the pump that answers finds the bytes.
    if (m_owner != nullptr)
        m_owner->PostSerialEvent(kSerialBytesQueued);
}
