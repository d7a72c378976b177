#include "libs/iap/image_transfer.h"

#include "libs/iap/boot_messages.h"

#include <algorithm>

ImageTransfer::ImageTransfer(BootChannel& channel, const std::vector<uint8_t>& image, Settings settings,
                             ProgressCallback on_progress)
    : m_channel(channel), m_image(image), m_settings(settings), m_on_progress(std::move(on_progress))
{
}

BootChannel::Status ImageTransfer::FillWindow()
{
    const uint32_t window_bytes = uint32_t{m_settings.m_window} * m_settings.m_max_write;
    while (m_next_to_send < m_image.size() && m_next_to_send - m_acknowledged < window_bytes) {
        const uint32_t count = std::min<uint32_t>(m_settings.m_max_write,
                                                  static_cast<uint32_t>(m_image.size()) - m_next_to_send);
        const BootChannel::Status sent =
            m_channel.Send(EncodeWritePacket(m_next_to_send, m_image.data() + m_next_to_send, count));
        if (sent != BootChannel::Status::kOk)
            return sent;
        m_next_to_send += count;
    }
    return BootChannel::Status::kOk;
}

void ImageTransfer::GoBackTo(uint32_t offset)
{
    m_acknowledged = offset;
    m_next_to_send = offset;
    m_went_back_to = offset;
    ++m_retransmissions;
}

bool ImageTransfer::HandleAnswer(const BootPacket& packet)
{
    if (packet.m_type != static_cast<uint8_t>(BootType::kWriteAnswer))
        return true; // a late answer to an earlier request
    const std::optional<BootAnswer> answer = DecodeAnswer(packet.m_payload);
    if (!answer)
        return true;
    if (answer->m_offset > m_image.size() ||
        (answer->m_status != BootStatus::kOk && answer->m_status != BootStatus::kOutOfOrder)) {
        m_status = Status::kRefused;
        m_refusal = answer->m_offset > m_image.size() ? "acknowledged beyond the image"
                                                      : BootStatusText(answer->m_status);
        return false;
    }
    if (answer->m_status == BootStatus::kOutOfOrder) {
        if (answer->m_offset != m_went_back_to)
            GoBackTo(answer->m_offset);
        return true;
    }
    if (answer->m_offset > m_acknowledged) {
        m_acknowledged = answer->m_offset;
        m_next_to_send = std::max(m_next_to_send, m_acknowledged);
        m_on_progress(m_acknowledged);
    }
    return true;
}

ImageTransfer::Status ImageTransfer::Run(uint32_t start_offset)
{
    m_acknowledged = start_offset;
    m_next_to_send = start_offset;
    int waits_without_progress = 0;
    while (m_acknowledged < m_image.size()) {
        if (const BootChannel::Status sent = FillWindow(); sent != BootChannel::Status::kOk)
            return sent == BootChannel::Status::kStopped ? Status::kStopped : Status::kGone;
        BootPacket packet;
        const uint32_t before = m_acknowledged;
        switch (m_channel.Receive(packet, BootChannel::Clock::now() + m_settings.m_answer_limit)) {
        case BootChannel::Status::kOk:
            if (!HandleAnswer(packet))
                return m_status;
            break;
        case BootChannel::Status::kTimedOut:
            // Answers stopped: the packet after the last acknowledged one, or
            // its answer, was lost.
            if (++waits_without_progress >= m_settings.m_stall_limit)
                return Status::kStalled;
            GoBackTo(m_acknowledged);
            break;
        case BootChannel::Status::kStopped:
            return Status::kStopped;
        case BootChannel::Status::kGone:
            return Status::kGone;
        }
        if (m_acknowledged > before)
            waits_without_progress = 0;
    }
    return Status::kDone;
}
