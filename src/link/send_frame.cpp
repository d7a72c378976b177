#include "link/send_frame.h"

namespace {

// Writes what the driver takes of an earlier frame's tail. True when none
// is left; false when some is still waiting or the port had to be closed.
bool FlushRemainder(CKRQSerialPort& port, const PortLock& lock)
{
    std::vector<uint8_t>& remainder = port.PendingTail(lock);
    if (remainder.empty())
        return true;
    const SerialWriteResult result = port.Write(lock, remainder.data(), remainder.size());
    if (result.m_status == SerialWriteResult::kFailed) {
        port.CloseAfterWriteFailure(lock);
        return false;
    }
    const size_t taken = result.m_status == SerialWriteResult::kWritten ? result.m_count : 0;
    remainder.erase(remainder.begin(), remainder.begin() + static_cast<std::ptrdiff_t>(taken));
    return remainder.empty();
}

} // namespace

void SendFrame(CKRQSerialPort& port, const ProtocolFrame& frame)
{
    const PortLock lock = port.Lock();
    if (!port.IsOpen(lock) || !FlushRemainder(port, lock))
        return;
    const SerialWriteResult result = port.Write(lock, frame.data(), frame.size());
    if (result.m_status == SerialWriteResult::kFailed) {
        port.CloseAfterWriteFailure(lock);
        return;
    }
    // Nothing taken: the frame is dropped whole, the next period sends anew.
    if (result.m_status == SerialWriteResult::kWritten && result.m_count > 0 && result.m_count < frame.size())
        port.PendingTail(lock).assign(frame.begin() + static_cast<std::ptrdiff_t>(result.m_count),
                                      frame.end());
}
