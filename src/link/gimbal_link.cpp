#include "link/gimbal_link.h"

#include "link/ckrq_serial_port.h"
#include "resources/message_ids.h"

GimbalLink::GimbalLink(ProtocolView& view, ConfirmQuestion& question, WakeUp wake_up,
                       std::unique_ptr<ByteTransport> transport, std::unique_ptr<SendTimer> timer)
    : m_view(view), m_question(question), m_wake_up(std::move(wake_up)),
      m_port(transport ? std::move(transport) : std::make_unique<CKRQSerialPort>()), m_protocol(view, *this),
      m_pump(*m_port, *this),
      m_sender(
          *m_port, m_period_ms, [this] { return m_protocol.State().BuildNextFrame(); }, std::move(timer))
{
    m_port->SetOwner(this);
}

GimbalLink::~GimbalLink()
{
    // Both threads end here, before any member goes: the sender first, as
    // it writes to the port; closing the port joins the reader.
    m_sender.Stop();
    m_port->Close();
}

void GimbalLink::SetSendPeriod(int period_ms)
{
    m_period_ms = period_ms;
}

void GimbalLink::SetAutoStop(bool on)
{
    m_protocol.State().m_autostop = on ? 1 : 0;
}

void GimbalLink::SetObserver(LinkObserver* observer)
{
    m_observer = observer;
}

void GimbalLink::StartSender()
{
    m_sender.Start();
}

void GimbalLink::StopSender()
{
    m_sender.Stop();
}

PortOpenResult GimbalLink::StartLink(const std::string& device, int baud)
{
    PortOpenResult why;
    if (!m_port->Open(device, baud, &why)) {
        m_view.ShowStatus(Id(MessageId::kPortOpenFailed), kRed);
        return why;
    }
    // A loss of the port closed before is no news about this one.
    m_write_failed = false;
    m_hung_up = false;
    m_loss = LinkLoss::kNone;
    m_protocol.Transactions().OnLinkStarted();
    return why;
}

void GimbalLink::StopLink()
{
    ClosePort();
    m_protocol.Transactions().OnLinkStopped();
}

// News of a loss that came before the owner closed the port is dropped
// with it: the owner ended that link itself. None can come later, as the
// reader has been joined and the sender finds the port closed.
void GimbalLink::ClosePort()
{
    m_port->Close();
    m_write_failed = false;
    m_hung_up = false;
}

bool GimbalLink::IsPortOpen()
{
    return m_port->IsOpen();
}

void GimbalLink::HandleWakeUp()
{
    // Cleared before the news is taken: news that comes later wakes anew.
    m_wake_pending = false;
    const bool bytes_left = m_pump.OnSerialEvent(kSerialBytesQueued);
    if (const LinkLoss loss = TakeLoss(bytes_left); loss != LinkLoss::kNone) {
        // A hung-up device stays open until closed here: its reader could
        // not close it. After a failed write the port is closed already.
        // A write that failed on the hung-up device while this ran is the
        // same loss: closing drops its news, so the loss is reported once.
        ClosePort();
        m_loss = loss;
        m_pump.OnSerialEvent(loss == LinkLoss::kHungUp ? kSerialHungUp : kSerialWriteFailed);
    }
    if (bytes_left)
        PostSerialEvent(kSerialBytesQueued);
}

// One report per loss, even when a write fails on a device whose hang-up is
// already known. A hang-up waits until the bytes before it are decoded,
// since closing the port drops what is still queued.
LinkLoss GimbalLink::TakeLoss(bool bytes_left)
{
    if (m_write_failed.exchange(false)) {
        m_hung_up = false;
        return LinkLoss::kWriteFailed;
    }
    if (!bytes_left && m_hung_up.exchange(false))
        return LinkLoss::kHungUp;
    return LinkLoss::kNone;
}

void GimbalLink::TimerTick()
{
    m_protocol.Transactions().AutoStopTick();
}

SerialReadResult GimbalLink::ReceiveAvailable(size_t limit)
{
    return m_port->ReadAvailable(limit);
}

void GimbalLink::SendNextFrame()
{
    if (m_port->IsOpen())
        m_port->Send(m_protocol.State().BuildNextFrame());
}

size_t GimbalLink::QueuedByteCount()
{
    return m_port->QueuedByteCount();
}

LinkCounters GimbalLink::Counters()
{
    const ByteTransport::ReceiveCounts bytes = m_port->Counts();
    return {bytes.m_received, bytes.m_dropped, m_frames_rejected, m_frames_decoded};
}

void GimbalLink::PostSerialEvent(int wparam)
{
    if (wparam == kSerialWriteFailed)
        m_write_failed = true;
    if (wparam == kSerialHungUp)
        m_hung_up = true;
    if (!m_wake_pending.exchange(true))
        m_wake_up();
}

void GimbalLink::OnTransmitError()
{
    m_view.ShowStatus(Id(MessageId::kTransmitError), kRed);
    if (m_observer != nullptr)
        m_observer->OnLinkLost();
}

void GimbalLink::OnFrameReceived(const ProtocolFrame& frame)
{
    if (!m_protocol.Decoder().DecodeFrame(frame)) {
        ++m_frames_rejected;
        return;
    }
    ++m_frames_decoded;
    if (m_observer != nullptr)
        m_observer->OnFrameDecoded(frame);
}

bool GimbalLink::Confirm(int message_id)
{
    return m_question.Confirm(message_id);
}
