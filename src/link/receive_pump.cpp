#include "link/receive_pump.h"

#include "link/serial_event_sink.h"

bool ReceivePump::OnSerialEvent(int wparam)
{
    if (wparam != kSerialBytesQueued) {
        m_handler.OnTransmitError();
        return false;
    }
    const size_t left = m_port.TakeQueued(m_slice, kReceiveSliceBytes);
    for (const uint8_t byte : m_slice) {
        // A frame completed after the port closed is dropped without a word.
        if (m_synchroniser.FeedSyncByte(byte) && m_port.IsOpen())
            m_handler.OnFrameReceived(m_synchroniser.Frame());
    }
    return left > 0;
}
