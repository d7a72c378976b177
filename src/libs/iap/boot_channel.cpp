#include "libs/iap/boot_channel.h"

namespace {

// A full driver buffer that does not drain within this long means the line
// is stuck.
constexpr std::chrono::milliseconds kWriteStallLimit{2000};

BootChannel::Status FromWait(SerialTimedWait wait)
{
    switch (wait) {
    case SerialTimedWait::kReady:
        return BootChannel::Status::kOk;
    case SerialTimedWait::kTimedOut:
        return BootChannel::Status::kTimedOut;
    case SerialTimedWait::kStopped:
        return BootChannel::Status::kStopped;
    case SerialTimedWait::kGone:
        break;
    }
    return BootChannel::Status::kGone;
}

std::chrono::milliseconds Remaining(BootChannel::Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - BootChannel::Clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

} // namespace

std::unique_ptr<BootChannel> BootChannel::Open(const std::string& device, int baud, const StopSignal& stop,
                                               PortOpenResult& why)
{
    // The only place the upgrade opens a port.
    std::unique_ptr<BootChannel> channel(new BootChannel(stop));
    why = channel->m_port.Open(device, baud);
    if (!why.Succeeded())
        return nullptr;
    return channel;
}

BootChannel::Status BootChannel::Send(const std::vector<uint8_t>& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        if (m_stop.IsSignalled())
            return Status::kStopped;
        const SerialWriteResult result = m_port.Write(bytes.data() + sent, bytes.size() - sent);
        if (result.m_status == SerialWriteResult::kFailed)
            return Status::kGone;
        if (result.m_status == SerialWriteResult::kWritten) {
            sent += result.m_count;
            m_bytes_sent += result.m_count;
            continue;
        }
        if (const Status waited = FromWait(m_port.WaitWritableFor(m_stop, kWriteStallLimit));
            waited != Status::kOk)
            return waited == Status::kTimedOut ? Status::kGone : waited;
    }
    return Status::kOk;
}

BootChannel::Status BootChannel::ReadMore(Clock::time_point deadline)
{
    const Status waited = FromWait(m_port.WaitReadableFor(m_stop, Remaining(deadline)));
    if (waited != Status::kOk)
        return waited;
    std::vector<uint8_t> bytes;
    const bool alive = m_port.ReadAvailable(bytes);
    std::vector<BootPacket> packets;
    m_decoder.Feed(bytes.data(), bytes.size(), packets);
    m_packets.insert(m_packets.end(), packets.begin(), packets.end());
    return alive || !m_packets.empty() ? Status::kOk : Status::kGone;
}

BootChannel::Status BootChannel::Receive(BootPacket& packet, Clock::time_point deadline)
{
    while (m_packets.empty()) {
        if (const Status status = ReadMore(deadline); status != Status::kOk)
            return status;
    }
    packet = std::move(m_packets.front());
    m_packets.pop_front();
    return Status::kOk;
}

void BootChannel::DiscardReceived()
{
    m_packets.clear();
    m_decoder.Clear();
}
