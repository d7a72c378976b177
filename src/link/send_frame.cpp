#include "link/send_frame.h"

namespace {

// The caller holds port.m_lock.
void ReportWriteFailure(CKRQSerialPort& port)
{
    port.Close();
    if (port.m_owner != nullptr)
        port.m_owner->PostSerialEvent(kSerialWriteFailed);
}

// Writes what the driver takes of an earlier frame's tail. True when none
// is left; false when some is still waiting or the port had to be closed.
bool FlushRemainder(CKRQSerialPort& port)
{
    std::vector<uint8_t>& remainder = port.m_tx_remainder;
    if (remainder.empty())
        return true;
    const SerialWriteResult result = WriteSerial(port.m_handle, remainder.data(), remainder.size());
    if (result.m_status == SerialWriteResult::kFailed) {
        ReportWriteFailure(port);
        return false;
    }
    const size_t taken = result.m_status == SerialWriteResult::kWritten ? result.m_count : 0;
    remainder.erase(remainder.begin(), remainder.begin() + static_cast<std::ptrdiff_t>(taken));
    return remainder.empty();
}

} // namespace

void SendFrame(CKRQSerialPort& port, const ProtocolFrame& frame)
{
    std::lock_guard lock(port.m_lock);
    if (!port.IsOpen() || !FlushRemainder(port))
        return;
    const SerialWriteResult result = WriteSerial(port.m_handle, frame.data(), frame.size());
    if (result.m_status == SerialWriteResult::kFailed) {
        ReportWriteFailure(port);
        return;
    }
    // Nothing taken: the frame is dropped whole, the next period sends anew.
    if (result.m_status == SerialWriteResult::kWritten && result.m_count > 0 && result.m_count < frame.size())
        port.m_tx_remainder.assign(frame.begin() + static_cast<std::ptrdiff_t>(result.m_count), frame.end());
}
