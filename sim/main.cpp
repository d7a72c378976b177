// orvane-sim: a simulated gimbal controller served on a pseudo-terminal.

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <poll.h>
#include <random>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

#include "platform/runtime_dir.h"
#include "recording/telemetry_csv.h"
#include "sim/controller_model.h"
#include "sim/line_faults.h"
#include "sim/line_pacer.h"
#include "sim/pc_line_rate.h"
#include "sim/pty_port.h"
#include "sim/published_port.h"
#include "sim/running_firmware.h"
#include "sim/sim_options.h"
#include "sim/state_file.h"

namespace {

// Frames waiting in our own queue beyond this are not built: the PC is not
// reading, and a real controller would not buffer seconds of old status.
constexpr size_t kMaxBacklog = 4 * kFrameSize;
// Paced bytes leave in slices of about this length, as a USB adapter would
// deliver them, rather than waking for every byte.
constexpr SimDuration kPacingStep = std::chrono::milliseconds(1);
// How long the controller is dead after the power-cut fault.
constexpr SimDuration kPowerOutage = std::chrono::milliseconds(300);

int OpenStopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&signals, signal);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        return -1;
    return signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
}

timespec ToTimespec(SimDuration duration)
{
    const auto nanoseconds = std::max<int64_t>(0, duration.count());
    return {static_cast<time_t>(nanoseconds / 1000000000), static_cast<long>(nanoseconds % 1000000000)};
}

// Streams the model's frames to the master side of the pty and feeds it what
// the PC writes, until a stop signal arrives or the controller goes away.
class SimServer {
public:
    SimServer(const SimOptions& options, int master, int stop_fd, RunningFirmware& firmware,
              LineFaults& faults, const SimClock& clock)
        : m_options(options), m_master(master), m_stop_fd(stop_fd), m_firmware(firmware), m_faults(faults),
          m_clock(clock)
    {
        if (options.baud != 0) {
            m_pacer.emplace(options.baud);
            m_input_pacer.emplace(options.baud);
        }
    }

    void Run()
    {
        m_next_frame = m_clock.Now();
        while (!m_stopping && !m_firmware.ControllerHasGoneAway()) {
            DeliverInput();
            ProduceFrames();
            Flush();
            Wait();
        }
    }

private:
    bool PoweredOff() const { return m_power_back_at.has_value(); }

    // Hands the controller the bytes whose time on the line has passed, and
    // queues what it answers.
    void DeliverInput()
    {
        if (PoweredOff()) {
            if (m_clock.Now() < *m_power_back_at)
                return;
            m_power_back_at.reset();
            m_firmware.RestartAfterPowerCut();
        }
        size_t allowed = m_input.size();
        if (m_input_pacer)
            allowed = std::min(allowed, m_input_pacer->Allowance(m_clock.Now(), m_input_backlog));
        m_input_backlog = allowed < m_input.size();
        if (allowed == 0)
            return;
        m_firmware.Receive(m_input.data(), allowed);
        m_input.erase(m_input.begin(), m_input.begin() + static_cast<std::ptrdiff_t>(allowed));
        if (m_input_pacer)
            m_input_pacer->Consume(allowed);
        if (m_firmware.TakeLineReset())
            m_queue.clear();
        const std::vector<uint8_t> answers = m_firmware.TakeAnswers();
        m_queue.insert(m_queue.end(), answers.begin(), answers.end());
        if (m_firmware.TakePowerCut()) {
            // Everything on its way in or out is lost with the power.
            m_queue.clear();
            m_input.clear();
            m_input_backlog = false;
            m_power_back_at = m_clock.Now() + kPowerOutage;
        }
    }

    void Enqueue()
    {
        if (const std::optional<ProtocolFrame> frame = m_firmware.NextFrame()) {
            const std::vector<uint8_t> bytes = m_faults.Transmit(*frame);
            m_queue.insert(m_queue.end(), bytes.begin(), bytes.end());
        }
    }

    void ProduceFrames()
    {
        const SimDuration now = m_clock.Now();
        if (m_options.unpaced) {
            // As fast as the PC reads; a silent model is asked again each period.
            if (m_queue.empty() && now >= m_next_frame) {
                Enqueue();
                if (m_queue.empty())
                    m_next_frame = now + m_options.period;
            }
            return;
        }
        if (now < m_next_frame)
            return;
        if (m_queue.size() < kMaxBacklog)
            Enqueue();
        m_next_frame += m_options.period;
        if (m_next_frame <= now) // late: skip the missed periods rather than catch up
            m_next_frame = now + m_options.period;
    }

    void Flush()
    {
        m_write_blocked = false;
        size_t allowed = m_queue.size();
        if (m_pacer)
            allowed = std::min(allowed, m_pacer->Allowance(m_clock.Now()));
        if (allowed == 0)
            return;
        const ssize_t written = write(m_master, m_queue.data(), allowed);
        if (written < 0) {
            m_write_blocked = errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
            if (!m_write_blocked)
                m_queue.clear(); // nothing can be sent: drop rather than spin on the error
            return;
        }
        m_queue.erase(m_queue.begin(), m_queue.begin() + written);
        if (m_pacer)
            m_pacer->Consume(static_cast<size_t>(written));
        m_write_blocked = static_cast<size_t>(written) < allowed;
    }

    SimDuration Timeout() const
    {
        const SimDuration now = m_clock.Now();
        SimDuration timeout = m_next_frame - now;
        if (m_options.unpaced && !m_queue.empty())
            timeout = m_options.period; // woken by POLLOUT long before
        if (m_pacer && !m_queue.empty() && !m_write_blocked)
            timeout = std::min(timeout, std::max(m_pacer->WaitForByte(), kPacingStep));
        if (!m_input.empty())
            timeout = std::min(timeout, m_input_pacer ? std::max(m_input_pacer->WaitForByte(), kPacingStep)
                                                      : SimDuration(0));
        if (PoweredOff())
            timeout = std::min(timeout, *m_power_back_at - now);
        return std::max(timeout, SimDuration(0));
    }

    void Wait()
    {
        const bool want_out = !m_queue.empty() && (m_write_blocked || m_options.unpaced);
        pollfd fds[2] = {{m_master, static_cast<short>(POLLIN | (want_out ? POLLOUT : 0)), 0},
                         {m_stop_fd, POLLIN, 0}};
        const timespec timeout = ToTimespec(Timeout());
        if (ppoll(fds, 2, &timeout, nullptr) <= 0)
            return;
        if (fds[1].revents & POLLIN)
            m_stopping = true;
        if (fds[0].revents & POLLIN)
            ReadInput();
        else if (fds[0].revents & (POLLHUP | POLLERR))
            PauseAfterHangUp();
    }

    // On a paced line, a PC whose port runs at another rate sends nothing the
    // controller can read, as on a real line: its bytes are lost.
    bool PcRateMatchesLine() const
    {
        if (m_options.baud == 0)
            return true;
        const std::optional<uint32_t> rate = PcLineRate(m_master);
        return !rate || RatesMatch(*rate, m_options.baud);
    }

    void ReadInput()
    {
        uint8_t buffer[4096];
        for (;;) {
            const ssize_t count = read(m_master, buffer, sizeof buffer);
            if (count > 0) {
                if (!PoweredOff() && PcRateMatchesLine())
                    m_input.insert(m_input.end(), buffer, buffer + count);
                continue;
            }
            if (count < 0 && errno == EIO)
                PauseAfterHangUp();
            return;
        }
    }

    // Our own slave descriptor keeps the master from hanging up; should it
    // happen all the same, wait a period instead of spinning on the event.
    void PauseAfterHangUp() const
    {
        const timespec pause = ToTimespec(m_options.period);
        nanosleep(&pause, nullptr);
    }

    const SimOptions& m_options;
    int m_master;
    int m_stop_fd;
    RunningFirmware& m_firmware;
    LineFaults& m_faults;
    const SimClock& m_clock;
    std::optional<LinePacer> m_pacer;       // bytes to the PC
    std::optional<LinePacer> m_input_pacer; // bytes from the PC
    std::vector<uint8_t> m_queue;
    std::vector<uint8_t> m_input; // received, not yet through the line
    bool m_input_backlog = false; // bytes were left waiting at the last delivery
    std::optional<SimDuration> m_power_back_at;
    SimDuration m_next_frame{0};
    bool m_write_blocked = false;
    bool m_stopping = false;
};

int Fail(const std::string& message)
{
    std::cerr << "orvane-sim: " << message << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const SimOptionsResult parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << "orvane-sim: " << parsed.error << "\nTry 'orvane-sim --help'.\n";
        return 2;
    }
    const SimOptions& options = parsed.options;
    if (options.help) {
        std::cout << SimHelpText();
        return 0;
    }
    // Read before the port is published, so a bad recording leaves nothing behind.
    RecordingLoad recording;
    if (!options.replay.empty()) {
        recording = LoadTelemetryCsv(options.replay);
        if (recording.m_error.empty() && recording.m_frames.empty())
            recording.m_error = "no frames";
        if (!recording.m_error.empty())
            return Fail(options.replay + ": " + recording.m_error);
    }
    std::signal(SIGPIPE, SIG_IGN);
    const int stop_fd = OpenStopSignals();
    if (stop_fd < 0)
        return Fail(std::string("cannot watch for signals: ") + std::strerror(errno));

    std::string error;
    std::optional<PtyPort> pty = PtyPort::Open(error);
    if (!pty)
        return Fail(error);
    const std::string name = options.name.empty() ? "orvane-sim-" + std::to_string(getpid()) : options.name;
    const std::string state_file = options.state_file.empty()
                                       ? DefaultStateFile(options.name.empty() ? "orvane-sim" : name)
                                       : options.state_file;
    std::optional<PublishedPort> port =
        PublishedPort::Publish(PublishedPortDirectory(), name, pty->SlavePath(), error);
    if (!port)
        return Fail(error);
    std::cout << port->Path() << std::endl;

    const uint32_t seed = options.seed ? *options.seed : std::random_device{}();
    ModelOptions model_options = ModelOptionsFrom(options, seed);
    model_options.replay = std::move(recording.m_frames);
    model_options.save_params = [state_file](const GimbalParams& params) {
        return SaveControllerState(state_file, params);
    };
    SteadySimClock clock;
    ControllerModel model(std::move(model_options), clock, LoadControllerState(state_file));
    LineFaults faults(LineFaultOptionsFrom(options), seed ^ 0x9E3779B9u);
    SimFlash flash(options.flash_kib * 1024, kSimFlashPageSize, options.firmware_version);
    RunningFirmware firmware(model, BootloaderOptionsFrom(options, seed), flash);
    SimServer(options, pty->Master(), stop_fd, firmware, faults, clock).Run();
    port->Remove();
    close(stop_fd);
    return 0;
}
