#include "link/receive_pump.h"

#include "link/serial_event_sink.h"

void ReceivePump::OnSerialEvent(int wparam)
{
    if (wparam != kSerialBytesQueued) {
        m_handler.OnTransmitError();
        return;
    }
    for (const uint8_t byte : TakeQueuedBytes()) {
        // A frame completed after the port closed is dropped without a word.
        if (m_synchroniser.FeedSyncByte(byte) && IsPortOpen())
            m_handler.OnFrameReceived(m_synchroniser.Frame());
    }
}

std::vector<uint8_t> ReceivePump::TakeQueuedBytes()
{
    std::lock_guard rx_lock(m_port.m_rx_lock);
    std::vector<uint8_t> bytes(m_port.m_rx_queue.begin(), m_port.m_rx_queue.end());
    m_port.m_rx_queue.clear();
    return bytes;
}

bool ReceivePump::IsPortOpen()
{
    std::lock_guard lock(m_port.m_lock);
    return m_port.IsOpen();
}
