#include "libs/iap/upgrade_engine.h"

#include "libs/iap/boot_channel.h"
#include "libs/iap/boot_messages.h"
#include "libs/iap/bootloader_request.h"
#include "libs/iap/firmware_file.h"
#include "libs/iap/image_transfer.h"
#include "platform/serial_open_result.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

using Clock = BootChannel::Clock;

// Attempts at a request before the controller counts as silent.
constexpr int kRequestAttempts = 4;
// Between two calls to a controller that may still be starting up.
constexpr std::chrono::milliseconds kFindInterval{250};
// A running controller needs this long to restart into its bootloader;
// bytes sent meanwhile may be lost.
constexpr std::chrono::milliseconds kRestartTime{30};
// The controller hashes the whole image before it answers a verify.
constexpr std::chrono::milliseconds kVerifyTime{3000};
constexpr uint16_t kMostPacketsInFlight = 8;

std::string Percent(int percent)
{
    return std::to_string(percent) + "%";
}

// One upgrade from file check to restart; each step returns false after it
// has filled in the result.
class Upgrade {
public:
    Upgrade(const UpgradeOptions& options, const StopSignal& stop, const UpgradeObserver& observer)
        : m_options(options), m_stop(stop), m_observer(observer)
    {
    }

    UpgradeResult Run()
    {
        if (LoadFile() && OpenPort() && FindBootloader() && CheckBoard() && Begin() && Transfer() &&
            Verify() && Restart())
            Finish(UpgradeOutcome::kSuccess, "Firmware " + FirmwareVersionText(m_file.m_header.m_version) +
                                                 " was written, verified and started.");
        if (m_channel)
            m_result.m_bytes_sent = m_channel->BytesSent();
        return m_result;
    }

private:
    bool Finish(UpgradeOutcome outcome, std::string detail)
    {
        m_result.m_outcome = outcome;
        m_result.m_detail = std::move(detail);
        return false;
    }

    void Report(const std::string& sentence)
    {
        if (m_observer.m_on_progress)
            m_observer.m_on_progress(m_result.m_percent, sentence);
    }

    // The time `bytes` need on the line at 10 bits a byte.
    std::chrono::milliseconds LineTime(size_t bytes) const
    {
        return std::chrono::milliseconds(1 + bytes * 10 * 1000 / static_cast<size_t>(m_options.m_baud));
    }

    // What to say when the controller was left waiting in its bootloader.
    std::string ResumeHint() const
    {
        return " at " + Percent(m_result.m_percent) +
               "; the controller waits in its bootloader, upgrade again to resume";
    }

    bool FailOnChannel(BootChannel::Status status, const std::string& what)
    {
        switch (status) {
        case BootChannel::Status::kStopped:
            return Finish(UpgradeOutcome::kCancelled, "Cancelled" + ResumeHint() + ".");
        case BootChannel::Status::kGone:
            return Finish(UpgradeOutcome::kPortLost, "The port '" + m_options.m_device +
                                                         "' was lost during " + what + ResumeHint() + ".");
        case BootChannel::Status::kTimedOut:
            return Finish(UpgradeOutcome::kTimedOut,
                          "The controller did not answer " + what + ResumeHint() + ".");
        case BootChannel::Status::kOk:
            break;
        }
        return true;
    }

    // Sends `request` until an answer of `answer_type` arrives; answers of
    // other types are late ones of earlier requests and are skipped.
    BootChannel::Status Ask(const std::vector<uint8_t>& request, BootType answer_type,
                            std::chrono::milliseconds extra_time, BootPacket& answer)
    {
        const auto limit = m_options.m_answer_time + extra_time + LineTime(request.size() + 64);
        for (int attempt = 0; attempt < kRequestAttempts; ++attempt) {
            if (const BootChannel::Status sent = m_channel->Send(request); sent != BootChannel::Status::kOk)
                return sent;
            const auto deadline = Clock::now() + limit;
            for (;;) {
                const BootChannel::Status received = m_channel->Receive(answer, deadline);
                if (received == BootChannel::Status::kTimedOut)
                    break;
                if (received != BootChannel::Status::kOk)
                    return received;
                if (answer.m_type == static_cast<uint8_t>(answer_type))
                    return BootChannel::Status::kOk;
            }
        }
        return BootChannel::Status::kTimedOut;
    }

    bool LoadFile()
    {
        std::string error;
        m_file = LoadFirmwareFile(m_options.m_firmware_path, error);
        if (!error.empty())
            return Finish(UpgradeOutcome::kFileInvalid,
                          "The firmware file was refused, the controller was not touched: " + error + ".");
        m_result.m_new_version = m_file.m_header.m_version;
        return true;
    }

    bool OpenPort()
    {
        PortOpenResult why;
        m_channel = BootChannel::Open(m_options.m_device, m_options.m_baud, m_stop, why);
        if (!m_channel)
            return Finish(UpgradeOutcome::kPortOpenFailed,
                          "The port could not be opened, the controller was not touched: " +
                              DescribePortOpenFailure(why, m_options.m_device, m_options.m_baud) + ".");
        return true;
    }

    // Calls a running controller into its bootloader with the frame of the
    // normal protocol, lets it restart, and asks for the bootloader's
    // information; a controller already in its bootloader takes the frame
    // for noise.
    bool FindBootloader()
    {
        Report("Entering firmware upgrade mode.");
        const ProtocolFrame enter = MakeEnterBootloaderFrame();
        const std::vector<uint8_t> enter_bytes(enter.begin(), enter.end());
        const std::vector<uint8_t> get_info = BootPacketBytes(BootType::kGetInfo);
        const auto give_up = Clock::now() + m_options.m_find_time;
        while (Clock::now() < give_up) {
            BootChannel::Status status = m_channel->Send(enter_bytes);
            if (status == BootChannel::Status::kOk)
                status = Drain(Clock::now() + kRestartTime + LineTime(enter_bytes.size()));
            if (status == BootChannel::Status::kOk)
                status = m_channel->Send(get_info);
            if (status == BootChannel::Status::kOk)
                status = AwaitInfo(Clock::now() + kFindInterval + LineTime(get_info.size() + 128));
            if (status == BootChannel::Status::kOk)
                return true;
            if (status != BootChannel::Status::kTimedOut)
                return FailOnChannel(status, "while looking for the bootloader");
        }
        return Finish(UpgradeOutcome::kTimedOut, "No controller answered on '" + m_options.m_device +
                                                     "': check that it is connected and powered.");
    }

    // Drops what arrives until `deadline`: what a restarting controller
    // still sent. kOk unless the wait was stopped or the port failed.
    BootChannel::Status Drain(Clock::time_point deadline)
    {
        BootPacket packet;
        BootChannel::Status received;
        while ((received = m_channel->Receive(packet, deadline)) == BootChannel::Status::kOk) {
        }
        return received == BootChannel::Status::kTimedOut ? BootChannel::Status::kOk : received;
    }

    // Waits until `deadline` for the bootloader's information; kOk once it
    // is in m_info.
    BootChannel::Status AwaitInfo(Clock::time_point deadline)
    {
        BootPacket packet;
        BootChannel::Status received;
        while ((received = m_channel->Receive(packet, deadline)) == BootChannel::Status::kOk) {
            if (packet.m_type != static_cast<uint8_t>(BootType::kInfo))
                continue;
            if (const std::optional<BootInfo> info = DecodeInfo(packet.m_payload)) {
                m_info = *info;
                return BootChannel::Status::kOk;
            }
        }
        return received;
    }

    bool CheckBoard()
    {
        m_result.m_board_id = m_info.m_board_id;
        m_result.m_old_version = m_info.m_app_valid ? m_info.m_app_version : 0;
        const FirmwareHeader& header = m_file.m_header;
        if (m_info.m_protocol_version != kBootProtocolVersion || m_info.m_window == 0 ||
            m_info.m_max_write == 0)
            return Finish(UpgradeOutcome::kDeviceRefused,
                          "The controller's bootloader speaks an unknown protocol version " +
                              std::to_string(m_info.m_protocol_version) + "; nothing was written.");
        if (header.m_board_id != m_info.m_board_id)
            return RefuseBoard("The file is for board " + std::to_string(header.m_board_id) +
                               ", the controller is board " + std::to_string(m_info.m_board_id));
        if (header.m_image_size > m_info.m_flash_size)
            return RefuseBoard("The image (" + std::to_string(header.m_image_size) +
                               " bytes) is larger than the controller's flash (" +
                               std::to_string(m_info.m_flash_size) + " bytes)");
        return true;
    }

    // Nothing was erased: a controller with a valid image goes back to it.
    bool RefuseBoard(const std::string& reason)
    {
        if (m_info.m_app_valid) {
            BootPacket ignored;
            Ask(BootPacketBytes(BootType::kBoot), BootType::kBootAnswer, {}, ignored);
        }
        return Finish(UpgradeOutcome::kDeviceTypeError, reason + "; nothing was erased.");
    }

    bool Begin()
    {
        const FirmwareHeader& header = m_file.m_header;
        BootPacket packet;
        const BootChannel::Status asked =
            Ask(BootPacketBytes(BootType::kBegin,
                                EncodeBegin({header.m_image_size, header.m_version, header.m_image_hash})),
                BootType::kBeginAnswer, {}, packet);
        if (asked != BootChannel::Status::kOk)
            return FailOnChannel(asked, "the start of the upgrade");
        const std::optional<BootAnswer> answer = DecodeAnswer(packet.m_payload);
        if (!answer || answer->m_offset > header.m_image_size)
            return Finish(UpgradeOutcome::kDeviceRefused, "The bootloader gave a malformed answer to begin.");
        if (answer->m_status == BootStatus::kTooLarge)
            return RefuseBoard("The controller has no room for the image");
        if (answer->m_status != BootStatus::kOk)
            return Finish(UpgradeOutcome::kDeviceRefused,
                          std::string("The bootloader refused the upgrade: ") +
                              BootStatusText(answer->m_status) + ".");
        m_result.m_resumed_from = answer->m_offset;
        m_start_offset = answer->m_offset;
        return true;
    }

    int PercentOf(uint32_t offset) const
    {
        return static_cast<int>(uint64_t{offset} * 100 / m_file.m_header.m_image_size);
    }

    bool Transfer()
    {
        m_result.m_percent = PercentOf(m_start_offset);
        Report(m_start_offset == 0
                   ? "Writing the firmware."
                   : "Resuming an interrupted upgrade at " + Percent(m_result.m_percent) + ".");
        ImageTransfer::Settings settings;
        settings.m_window = std::min(m_info.m_window, kMostPacketsInFlight);
        settings.m_max_write = m_info.m_max_write;
        settings.m_answer_limit =
            m_options.m_answer_time +
            LineTime(settings.m_window * (settings.m_max_write + kBootPacketOverhead + 4));
        const uint32_t size = m_file.m_header.m_image_size;
        ImageTransfer transfer(*m_channel, m_file.m_image, settings, [this, size](uint32_t acknowledged) {
            m_result.m_percent = PercentOf(acknowledged);
            Report("Written " + std::to_string(acknowledged) + " of " + std::to_string(size) + " bytes.");
        });
        const ImageTransfer::Status status = transfer.Run(m_start_offset);
        m_result.m_percent = PercentOf(transfer.Acknowledged());
        m_result.m_retransmissions = transfer.Retransmissions();
        switch (status) {
        case ImageTransfer::Status::kDone:
            return true;
        case ImageTransfer::Status::kRefused:
            return Finish(UpgradeOutcome::kDeviceRefused, std::string("The bootloader refused a write: ") +
                                                              transfer.RefusalText() + ResumeHint() + ".");
        case ImageTransfer::Status::kStalled:
            return FailOnChannel(BootChannel::Status::kTimedOut, "the writes");
        case ImageTransfer::Status::kStopped:
            return FailOnChannel(BootChannel::Status::kStopped, "the writes");
        case ImageTransfer::Status::kGone:
            break;
        }
        return FailOnChannel(BootChannel::Status::kGone, "the writes");
    }

    bool Verify()
    {
        Report("Verifying the firmware.");
        BootPacket packet;
        const BootChannel::Status asked =
            Ask(BootPacketBytes(BootType::kVerify), BootType::kVerifyAnswer, kVerifyTime, packet);
        if (asked != BootChannel::Status::kOk)
            return FailOnChannel(asked, "the verification");
        const std::optional<VerifyAnswer> answer = DecodeVerifyAnswer(packet.m_payload);
        if (!answer)
            return Finish(UpgradeOutcome::kDeviceRefused,
                          "The bootloader gave a malformed answer to verify.");
        if (answer->m_status != BootStatus::kOk)
            return Finish(UpgradeOutcome::kDeviceRefused,
                          std::string("Verification failed: ") + BootStatusText(answer->m_status) +
                              " (the controller computed SHA-256 " + DigestHex(answer->m_computed_hash) +
                              ", the file says " + DigestHex(m_file.m_header.m_image_hash) +
                              "); the image was not marked valid, upgrade again.");
        return true;
    }

    bool Restart()
    {
        BootPacket packet;
        const BootChannel::Status asked =
            Ask(BootPacketBytes(BootType::kBoot), BootType::kBootAnswer, {}, packet);
        if (asked != BootChannel::Status::kOk)
            return FailOnChannel(asked, "the restart into the new firmware");
        const std::optional<BootAnswer> answer = DecodeAnswer(packet.m_payload);
        if (!answer || answer->m_status != BootStatus::kOk)
            return Finish(UpgradeOutcome::kDeviceRefused,
                          "The verified image did not start; the controller stays in its bootloader.");
        m_result.m_percent = 100;
        return true;
    }

    const UpgradeOptions& m_options;
    const StopSignal& m_stop;
    const UpgradeObserver& m_observer;
    UpgradeResult m_result;
    FirmwareFile m_file;
    std::unique_ptr<BootChannel> m_channel;
    BootInfo m_info;
    uint32_t m_start_offset = 0;
};

} // namespace

UpgradeResult RunUpgrade(const UpgradeOptions& options, const StopSignal& stop,
                         const UpgradeObserver& observer)
{
    return Upgrade(options, stop, observer).Run();
}
