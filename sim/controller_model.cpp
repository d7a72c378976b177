#include "sim/controller_model.h"

#include <algorithm>
#include <utility>

#include "sim/boot_packets.h"
#include "sim/frame_sequence.h"
#include "sim/param_pages.h"
#include "wire/little_endian.h"

namespace {

enum class CommandKind { Run, Stop, SaveToFlash, Calibration, Pulse };

struct CommandInfo {
    uint8_t code;
    CommandKind kind;
    bool needs_cal_allowed;
};

// Every command the PC can send. Tests, camera and auxiliary outputs only
// pulse an output, so they succeed at once.
constexpr CommandInfo kCommands[] = {
    {1, CommandKind::Run, false},         {2, CommandKind::Stop, false},
    {3, CommandKind::SaveToFlash, false}, {4, CommandKind::Calibration, false},
    {5, CommandKind::Calibration, false}, {6, CommandKind::Calibration, true},
    {7, CommandKind::Calibration, true},  {8, CommandKind::Calibration, true},
    {9, CommandKind::Pulse, false},       {10, CommandKind::Pulse, false},
    {11, CommandKind::Pulse, false},      {12, CommandKind::Calibration, true},
    {13, CommandKind::Calibration, true}, {14, CommandKind::Pulse, false},
    {17, CommandKind::Pulse, false},      {18, CommandKind::Pulse, false},
    {19, CommandKind::Pulse, false},      {20, CommandKind::Pulse, false},
    {21, CommandKind::Pulse, false},      {22, CommandKind::Pulse, false},
    {23, CommandKind::Pulse, false},      {24, CommandKind::Pulse, false},
    {25, CommandKind::Pulse, false},
};

const CommandInfo* FindCommand(uint8_t code)
{
    const auto* it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                  [code](const CommandInfo& info) { return info.code == code; });
    return it == std::end(kCommands) ? nullptr : it;
}

constexpr uint8_t kFailureFlag = 128;
// An answer the PC has not taken up (it still sends the command) is sent again
// after this long: the frame that carried it may have been lost.
constexpr SimDuration kAnswerRepeat = std::chrono::milliseconds(100);
// How long the level bar shows the outcome of a calibration.
constexpr SimDuration kProgressHold = std::chrono::seconds(1);

constexpr uint8_t kProgressRunning = 1;
constexpr uint8_t kProgressDone = 2;
constexpr uint8_t kProgressFailed = 3;

constexpr uint8_t kStateRunning = 1;
constexpr uint8_t kStateStopped = 2;

constexpr std::array<uint8_t, 3> kMotorVersions = {12, 12, 11};
constexpr uint8_t kSensorVersion = 15;
constexpr uint8_t kCameraStatusOk = 0xFF;

bool IsWritePage(uint8_t page)
{
    return page >= kFirstWritePage && page < kFirstWritePage + kParamPageCount;
}

bool IsReadPage(uint8_t page)
{
    return page >= kFirstReadPage && page < kFirstReadPage + kParamPageCount;
}

} // namespace

ControllerModel::ControllerModel(ModelOptions options, const SimClock& clock, const GimbalParams& params)
    : m_options(std::move(options)), m_clock(clock), m_params(params), m_signals(m_options.seed)
{
    if (!m_options.replay.empty())
        m_replay.emplace(std::move(m_options.replay));
}

void ControllerModel::Receive(const uint8_t* data, size_t count)
{
    m_reader.Feed(data, count, [this](const ProtocolFrame& frame) { HandleFrame(frame); });
}

void ControllerModel::HandleFrame(const ProtocolFrame& frame)
{
    if (IsEnterBootloaderRequest(frame)) {
        m_bootloader_requested = true;
        return;
    }
    HandleCommand(frame[kFrameCodeOffset]);
    HandlePageRequest(frame);
}

void ControllerModel::Restart(uint8_t main_version)
{
    m_options.main_version = main_version;
    m_reader = PcFrameReader();
    m_pc_command = 0;
    m_requested_page = 0;
    m_gimbal_state = 0;
    m_answer.reset();
    m_calibration.reset();
    ShowProgress(0, 0);
    m_bootloader_requested = false;
}

void ControllerModel::HandleCommand(uint8_t code)
{
    if (code == m_pc_command)
        return;
    m_pc_command = code;
    const CommandInfo* info = FindCommand(code);
    if (info == nullptr)
        return;
    // A new command supersedes whatever was still running or unanswered.
    if (m_calibration)
        EndCalibration(false);
    m_answer.reset();
    const bool refused = m_options.failing_commands.contains(code) ||
                         (info->needs_cal_allowed && !m_options.calibration_allowed);
    if (refused) {
        if (info->kind == CommandKind::Calibration)
            ShowProgress(kProgressFailed, 100);
        Answer(code, false);
        return;
    }
    if (info->kind == CommandKind::Calibration) {
        m_calibration = Calibration{code, m_clock.Now()};
        ShowProgress(kProgressRunning, 0);
        return;
    }
    Answer(code, Execute(code));
}

bool ControllerModel::Execute(uint8_t code)
{
    switch (FindCommand(code)->kind) {
    case CommandKind::Run:
        m_gimbal_state = kStateRunning;
        return true;
    case CommandKind::Stop:
        m_gimbal_state = kStateStopped;
        return true;
    case CommandKind::SaveToFlash:
        return !m_options.save_params || m_options.save_params(m_params);
    case CommandKind::Calibration:
    case CommandKind::Pulse:
        return true;
    }
    return false;
}

void ControllerModel::Answer(uint8_t command, bool success)
{
    m_answer = PendingAnswer{command, static_cast<uint8_t>(success ? command : command + kFailureFlag),
                             std::nullopt};
}

void ControllerModel::ShowProgress(uint8_t state, uint8_t value)
{
    m_progress_state = state;
    m_progress_value = value;
    m_progress_clears_at.reset();
    if (state != kProgressRunning)
        m_progress_clears_at = m_clock.Now() + kProgressHold;
}

void ControllerModel::EndCalibration(bool success)
{
    ShowProgress(success ? kProgressDone : kProgressFailed, 100);
    if (success)
        Answer(m_calibration->command, true);
    m_calibration.reset();
}

void ControllerModel::UpdateCalibration()
{
    const SimDuration now = m_clock.Now();
    if (m_progress_clears_at && now >= *m_progress_clears_at)
        ShowProgress(0, 0);
    if (!m_calibration)
        return;
    const SimDuration elapsed = now - m_calibration->started;
    if (elapsed >= m_options.calibration_time) {
        EndCalibration(true);
        return;
    }
    m_progress_value = static_cast<uint8_t>(100 * elapsed / m_options.calibration_time);
}

void ControllerModel::HandlePageRequest(const ProtocolFrame& frame)
{
    const uint8_t page = frame[kFramePageOffset];
    if (m_options.hang_up_page == page)
        m_gone_away = true;
    if (m_options.ignored_pages.contains(page))
        return;
    m_requested_page = page;
    if (IsWritePage(page))
        StoreParamPage(page - kFirstWritePage, frame, m_params);
}

uint8_t ControllerModel::TakeAcknowledgement()
{
    if (!m_answer)
        return 0;
    if (m_answer->command != m_pc_command) {
        m_answer.reset(); // the PC has taken it and moved on
        return 0;
    }
    const SimDuration now = m_clock.Now();
    if (m_answer->sent_at && now - *m_answer->sent_at < kAnswerRepeat)
        return 0;
    m_answer->sent_at = now;
    return m_answer->code;
}

uint8_t ControllerModel::PageToSend()
{
    if (m_requested_page != 0)
        return m_requested_page;
    // Nothing asked for: stream the two live pages in turn, as the PC does
    // when it is idle.
    for (int tries = 0; tries < 2; ++tries) {
        const uint8_t page = m_grid_next ? kGridPage : kStatusPage;
        m_grid_next = !m_grid_next;
        if (!m_options.ignored_pages.contains(page))
            return page;
    }
    return 0;
}

LiveStatus ControllerModel::StatusNow()
{
    if (m_replay)
        return StatusOf(m_replay->At(m_clock.Now()));
    LiveStatus status;
    status.gimbal_state = m_gimbal_state;
    status.main_hw_flags = m_options.hardware_faults.main_flags;
    status.mtr_status = m_options.hardware_faults.mtr_status;
    status.sens_status = m_options.hardware_faults.sens_status;
    status.main_version = m_options.main_version;
    status.mtr_version = kMotorVersions;
    status.sens_version = kSensorVersion;
    status.cal_allowed = m_options.calibration_allowed ? 1 : 0;
    status.progress_state = m_progress_state;
    status.progress_value = m_progress_value;
    status.c_status = kCameraStatusOk;
    m_signals.Sample(m_clock.Now(), m_gimbal_state == kStateRunning, m_params, status);
    return status;
}

AttitudeSample ControllerModel::AttitudeNow()
{
    const SimDuration now = m_clock.Now();
    return m_replay ? AttitudeOf(m_replay->At(now))
                    : m_signals.Attitude(now, m_gimbal_state == kStateRunning);
}

LiveGrid ControllerModel::GridNow()
{
    return m_replay ? GridOf(m_replay->At(m_clock.Now())) : m_signals.Grid();
}

void ControllerModel::FillPage(uint8_t page, ProtocolFrame& frame)
{
    if (IsReadPage(page)) {
        FillParamPage(page - kFirstReadPage, m_params, frame);
    } else if (page == kStatusPage) {
        WriteStatusPage(StatusNow(), m_channel_row, frame);
        m_channel_row = (m_channel_row + 1) % kChannelRows;
    } else if (page == kGridPage) {
        WriteGridPage(GridNow(), frame);
    }
}

std::optional<ProtocolFrame> ControllerModel::NextFrame()
{
    const SimDuration now = m_clock.Now();
    if (m_options.silent_after && now >= *m_options.silent_after)
        return std::nullopt;
    UpdateCalibration();

    ProtocolFrame frame{};
    frame[0] = kInboundHeader0;
    frame[1] = kInboundHeader1;
    frame[kFrameCodeOffset] = TakeAcknowledgement();
    WriteAttitude(AttitudeNow(), frame);
    const uint8_t page = PageToSend();
    frame[kFramePageOffset] = page;
    FillPage(page, frame);
    const uint32_t sequence = m_sequence++;
    if (PageCarriesSequence(page))
        StoreU32(frame.data() + kSequenceOffset, sequence);
    SealFrame(frame);
    return frame;
}
