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
    std::vector<BootPacket> packets;
    m_decoder.Feed(data, count, packets);
    for (const BootPacket& packet : packets) {
        // A stalled or powerless controller hears nothing.
        if (m_stalled || m_power_cut_pending)
            return;
        Handle(packet);
    }
}

void BootloaderModel::Answer(BootType type, const std::vector<uint8_t>& payload)
{
    const std::vector<uint8_t> bytes = BootPacketBytes(type, payload);
    m_output.insert(m_output.end(), bytes.begin(), bytes.end());
}

void BootloaderModel::Handle(const BootPacket& packet)
{
    switch (static_cast<BootType>(packet.m_type)) {
    case BootType::kGetInfo: {
        const SimFlash::ImageMark& mark = m_flash.Mark();
        BootInfo info;
        info.m_app_valid = mark.valid;
        info.m_app_version = mark.version;
        info.m_app_hash = mark.hash;
        info.m_window = m_options.window;
        info.m_max_write = m_options.max_write;
        info.m_board_id = m_options.board_id;
        info.m_flash_size = m_flash.Size();
        info.m_page_size = m_flash.PageSize();
        Answer(BootType::kInfo, EncodeInfo(info));
        return;
    }
    case BootType::kBegin: {
        const std::optional<BeginRequest> request = DecodeBegin(packet.m_payload);
        Answer(BootType::kBeginAnswer,
               EncodeAnswer(request ? Begin(*request) : BootAnswer{BootStatus::kBadRequest, 0}));
        return;
    }
    case BootType::kWrite: {
        if (Chance(m_options.corrupt_rate))
            return; // a corrupted packet fails its CRC and goes unanswered
        const std::optional<WriteRequest> request = DecodeWrite(packet.m_payload);
        const BootAnswer answer = request ? Write(*request) : BootAnswer{BootStatus::kBadRequest, 0};
        CheckFaultTriggers();
        if (!m_stalled && !m_power_cut_pending)
            Answer(BootType::kWriteAnswer, EncodeAnswer(answer));
        return;
    }
    case BootType::kVerify:
        Answer(BootType::kVerifyAnswer, EncodeVerifyAnswer(Verify()));
        return;
    case BootType::kBoot: {
        const bool valid = m_flash.Mark().valid;
        Answer(BootType::kBootAnswer, EncodeAnswer({valid ? BootStatus::kOk : BootStatus::kNoValidImage, 0}));
        m_start_image = valid;
        return;
    }
    default:
        return; // unknown types are ignored, as noise would be
    }
}

BootAnswer BootloaderModel::Begin(const BeginRequest& request)
{
    if (request.m_image_size == 0)
        return {BootStatus::kBadRequest, 0};
    if (request.m_image_size > m_flash.Size())
        return {BootStatus::kTooLarge, 0};
    SimFlash::Session& session = m_flash.CurrentSession();
    if (session.active && session.size == request.m_image_size && session.hash == request.m_image_hash)
        return {BootStatus::kOk, session.written}; // resume
    // The old image stops being bootable before its first page is erased.
    m_flash.Mark().valid = false;
    session = {true, request.m_image_size, request.m_version, request.m_image_hash, 0, 0};
    return {BootStatus::kOk, 0};
}

BootAnswer BootloaderModel::Write(const WriteRequest& request)
{
    SimFlash::Session& session = m_flash.CurrentSession();
    if (!session.active)
        return {BootStatus::kNoSession, 0};
    if (request.m_offset != session.written)
        return {BootStatus::kOutOfOrder, session.written};
    if (request.m_data.size() > m_options.max_write ||
        uint64_t{request.m_offset} + request.m_data.size() > session.size)
        return {BootStatus::kBadRequest, session.written};
    m_flash.Write(request.m_offset, request.m_data);
    return {BootStatus::kOk, session.written};
}

VerifyAnswer BootloaderModel::Verify()
{
    SimFlash::Session& session = m_flash.CurrentSession();
    if (!session.active)
        return {BootStatus::kNoSession, {}};
    if (session.written < session.size)
        return {BootStatus::kIncomplete, {}};
    const Sha256Digest computed = m_flash.HashOf(session.size);
    session.active = false;
    if (computed != session.hash)
        return {BootStatus::kHashMismatch, computed};
    // The validity mark is written last: only a verified image can boot.
    m_flash.Mark() = {true, session.version, session.size, session.hash};
    return {BootStatus::kOk, computed};
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
    m_decoder.Clear();
    m_output.clear();
    m_start_image = false;
}
