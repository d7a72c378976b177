#include "sim/bootloader_model.h"

BootloaderModel::BootloaderModel(BootloaderOptions options, SimFlash& flash)
    : m_options(options), m_flash(flash), m_rng(options.seed)
{
}

bool BootloaderModel::Chance(double rate)
{
    return rate > 0 && std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < rate;
}

void BootloaderModel::Receive(const uint8_t* data, size_t count)
{
    std::vector<ReceivedPacket> packets;
    m_reader.Feed(data, count, packets);
    for (const ReceivedPacket& packet : packets) {
        // A stalled or powerless controller hears nothing.
        if (m_stalled || m_power_cut_pending)
            return;
        Handle(packet);
    }
}

void BootloaderModel::Answer(BootRequest request, const std::vector<uint8_t>& payload)
{
    const std::vector<uint8_t> bytes = AnswerPacket(request, payload);
    m_output.insert(m_output.end(), bytes.begin(), bytes.end());
}

void BootloaderModel::Handle(const ReceivedPacket& packet)
{
    const auto request = static_cast<BootRequest>(packet.type);
    switch (request) {
    case BootRequest::kGetInfo: {
        const SimFlash::ImageMark& mark = m_flash.Mark();
        Answer(request, InfoPayload({mark.valid, mark.version, m_options.window, m_options.max_write,
                                     m_options.board_id, m_flash.Size(), m_flash.PageSize(), mark.hash}));
        return;
    }
    case BootRequest::kBegin: {
        const std::optional<BeginFields> begin = ParseBegin(packet.payload);
        const Reply reply = begin ? Begin(*begin) : Reply{BootReply::kMalformed, 0};
        Answer(request, StatusPayload(reply.status, reply.offset));
        return;
    }
    case BootRequest::kWrite: {
        if (Chance(m_options.corrupt_rate))
            return; // a corrupted packet fails its CRC and goes unanswered
        const std::optional<WriteFields> write = ParseWrite(packet.payload);
        const Reply reply = write ? Write(*write) : Reply{BootReply::kMalformed, 0};
        CheckFaultTriggers();
        if (!m_stalled && !m_power_cut_pending)
            Answer(request, StatusPayload(reply.status, reply.offset));
        return;
    }
    case BootRequest::kVerify: {
        const VerifyReply reply = Verify();
        Answer(request, VerifyPayload(reply.status, reply.computed));
        return;
    }
    case BootRequest::kBoot: {
        const bool valid = m_flash.Mark().valid;
        Answer(request, StatusPayload(valid ? BootReply::kOk : BootReply::kNoValidImage, 0));
        m_start_image = valid;
        return;
    }
    default:
        return; // unknown types are ignored, as noise would be
    }
}

BootloaderModel::Reply BootloaderModel::Begin(const BeginFields& request)
{
    if (request.image_size == 0)
        return {BootReply::kMalformed, 0};
    if (request.image_size > m_flash.Size())
        return {BootReply::kTooLarge, 0};
    SimFlash::Session& session = m_flash.CurrentSession();
    if (session.active && session.size == request.image_size && session.hash == request.image_hash)
        return {BootReply::kOk, session.written}; // resume
    // The old image stops being bootable before its first page is erased.
    m_flash.Mark().valid = false;
    session = {true, request.image_size, request.version, request.image_hash, 0, 0};
    return {BootReply::kOk, 0};
}

BootloaderModel::Reply BootloaderModel::Write(const WriteFields& request)
{
    SimFlash::Session& session = m_flash.CurrentSession();
    if (!session.active)
        return {BootReply::kNoUpgradeBegun, 0};
    if (request.offset != session.written)
        return {BootReply::kOutOfOrder, session.written};
    if (request.data.size() > m_options.max_write ||
        uint64_t{request.offset} + request.data.size() > session.size)
        return {BootReply::kMalformed, session.written};
    m_flash.Write(request.offset, request.data);
    return {BootReply::kOk, session.written};
}

BootloaderModel::VerifyReply BootloaderModel::Verify()
{
    SimFlash::Session& session = m_flash.CurrentSession();
    if (!session.active)
        return {BootReply::kNoUpgradeBegun, {}};
    if (session.written < session.size)
        return {BootReply::kIncomplete, {}};
    const Sha256Digest computed = m_flash.HashOf(session.size);
    session.active = false;
    if (computed != session.hash)
        return {BootReply::kHashMismatch, computed};
    // The validity mark is written last: only a verified image can boot.
    m_flash.Mark() = {true, session.version, session.size, session.hash};
    return {BootReply::kOk, computed};
}

void BootloaderModel::CheckFaultTriggers()
{
    const SimFlash::Session& session = m_flash.CurrentSession();
    const double percent = 100.0 * session.written / session.size;
    if (m_options.stall_at_percent && percent >= *m_options.stall_at_percent)
        m_stalled = true;
    if (m_options.power_cut_at_percent && !m_power_cut_done && percent >= *m_options.power_cut_at_percent)
        m_power_cut_pending = true;
}

bool BootloaderModel::TakePowerCut()
{
    if (!m_power_cut_pending)
        return false;
    m_power_cut_pending = false;
    m_power_cut_done = true;
    return true;
}

void BootloaderModel::Restart()
{
    m_reader.Clear();
    m_output.clear();
    m_start_image = false;
}
