#include "libs/iap/brevon_iap_lib_exp.h"

#include "libs/iap/upgrade_engine.h"
#include "platform/stop_signal.h"
#include "platform/thread_priority.h"

#include <algorithm>
#include <cstring>

namespace {

int32_t EventCodeOf(UpgradeOutcome outcome)
{
    switch (outcome) {
    case UpgradeOutcome::kSuccess:
        return IAP_SUCCESS;
    case UpgradeOutcome::kPortOpenFailed:
        return IAP_PORT_OPEN_FAILED;
    case UpgradeOutcome::kDeviceTypeError:
        return IAP_DEVICE_TYPE_ERROR;
    case UpgradeOutcome::kFileInvalid:
    case UpgradeOutcome::kDeviceRefused:
    case UpgradeOutcome::kTimedOut:
    case UpgradeOutcome::kPortLost:
    case UpgradeOutcome::kCancelled:
        break;
    }
    return IAP_FAILED;
}

} // namespace

CBrevonIAPLibExp::CBrevonIAPLibExp() : m_stop(std::make_unique<StopSignal>()) {}

CBrevonIAPLibExp::~CBrevonIAPLibExp()
{
    Stop();
}

void CBrevonIAPLibExp::Init(IapEventSink* sink)
{
    m_sink = sink;
}

void CBrevonIAPLibExp::SetBaud(int baud)
{
    m_baud = baud;
}

void CBrevonIAPLibExp::Start(const std::string& device, const std::string& firmware_path)
{
    Stop();
    m_stop->Reset();
    m_thread = std::thread(&CBrevonIAPLibExp::Run, this, device, firmware_path, m_baud);
    NameThread(m_thread, kUpgradeThreadName);
}

void CBrevonIAPLibExp::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop->Signal();
    m_thread.join();
}

void CBrevonIAPLibExp::Run(std::string device, std::string firmware_path, int baud)
{
    // Nothing may escape the thread: an unexpected error ends the upgrade
    // with a failure event instead of ending the program.
    try {
        UpgradeOptions options;
        options.m_device = std::move(device);
        options.m_firmware_path = std::move(firmware_path);
        options.m_baud = baud;
        UpgradeObserver observer;
        observer.m_on_progress = [this](int percent, const std::string& sentence) {
            Post(IAP_PROGRESS, percent, sentence);
        };
        const UpgradeResult result = RunUpgrade(options, *m_stop, observer);
        // A cancelled upgrade ends quietly: Stop's caller already knows.
        if (result.m_outcome != UpgradeOutcome::kCancelled)
            Post(EventCodeOf(result.m_outcome), result.m_percent, result.m_detail);
    } catch (const std::exception& error) {
        Post(IAP_FAILED, 0, std::string("The upgrade ended on an internal error: ") + error.what());
    }
}

void CBrevonIAPLibExp::Post(int32_t code, int percent, const std::string& detail)
{
    if (m_sink == nullptr)
        return;
    IapEvent event{};
    event.code = code;
    event.percent = percent;
    const size_t length = std::min(detail.size(), sizeof event.detail - 1);
    std::memcpy(event.detail, detail.data(), length);
    m_sink->PostIapEvent(event);
}
