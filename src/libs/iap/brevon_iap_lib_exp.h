#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

// Name of the upgrade thread, as system tools show it.
inline constexpr const char* kUpgradeThreadName = "orvane-upgrade";

class StopSignal;

// Event codes of the firmware upgrade.
enum IapEventCode : int32_t {
    IAP_PORT_OPEN_FAILED = 4,
    IAP_PROGRESS = 11,
    IAP_SUCCESS = 27,
    IAP_DEVICE_TYPE_ERROR = 31,
    IAP_FAILED = 32,
};

// One event of an upgrade: the code at byte 0, the percent at byte 24.
struct IapEvent {
    int32_t code;
    int32_t reserved[5];
    int32_t percent;  // with IAP_PROGRESS
    char detail[228]; // NUL-terminated English sentence: what failed, or what is going on
};
static_assert(offsetof(IapEvent, code) == 0);
static_assert(offsetof(IapEvent, percent) == 24);

// Where the events go. Called on the upgrade's own thread: queue the event
// and return.
class IapEventSink {
public:
    virtual void PostIapEvent(const IapEvent& event) = 0;

protected:
    ~IapEventSink() = default;
};

// Upgrades a controller's firmware from a ".cahf" file over a serial port.
class CBrevonIAPLibExp {
public:
    CBrevonIAPLibExp();
    // Ends a running upgrade and joins its thread.
    virtual ~CBrevonIAPLibExp();
    CBrevonIAPLibExp(const CBrevonIAPLibExp&) = delete;
    CBrevonIAPLibExp& operator=(const CBrevonIAPLibExp&) = delete;

    void Init(IapEventSink* sink);
    // The line rate of the port the upgrade opens (default 115200).
    void SetBaud(int baud);
    // Copies both texts, returns at once and works on its own thread on the
    // port it opens itself. An upgrade still running is stopped first.
    void Start(const std::string& device, const std::string& firmware_path);
    // Ends a running upgrade and returns once its thread has ended; no event
    // follows. The controller waits in its bootloader, and the next Start
    // resumes where this one stopped.
    void Stop();

private:
    void Run(std::string device, std::string firmware_path, int baud);
    void Post(int32_t code, int percent, const std::string& detail);

    IapEventSink* m_sink = nullptr;
    int m_baud = 115200;
    std::unique_ptr<StopSignal> m_stop;
    std::thread m_thread;
};
