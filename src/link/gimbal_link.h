#pragma once

#include "link/byte_transport.h"
#include "link/link_counters.h"
#include "link/receive_pump.h"
#include "link/sender_thread.h"
#include "link/serial_event_sink.h"
#include "platform/serial_open_result.h"
#include "protocol/protocol_session.h"
#include "protocol/protocol_view.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// How the link last lost its port.
enum class LinkLoss {
    kNone,
    kWriteFailed, // a frame could not be written
    kHungUp,      // the device hung up or failed while it was read
};

// What the link reports to its owner, on the owner's thread, from inside
// HandleWakeUp.
class LinkObserver {
public:
    // A frame passed its CRC and the decoder has acted on it.
    virtual void OnFrameDecoded(const ProtocolFrame& frame) = 0;
    // The port is gone (a write failed, or the device hung up while it was
    // read) and has been closed; GimbalLink::LossCause says which.
    virtual void OnLinkLost() = 0;

protected:
    ~LinkObserver() = default;
};

// Asks the operator a Yes/No question (No the default); true only for Yes.
class ConfirmQuestion {
public:
    virtual bool Confirm(int message_id) = 0;

protected:
    ~ConfirmQuestion() = default;
};

// One link to the gimbal, owned by a front end (the window or the
// command-line tool): serial port, sender thread, receive pump and the
// protocol session, wired in the one order that is safe to start and stop.
//
// Threads: the port's reader and the sender call `wake_up` (at most once
// until the owner has run HandleWakeUp) and nothing else of the owner's.
// Everything else runs on the owner's thread. After the destructor returns
// no thread of the link runs and `wake_up` is never called again.
//
// An owner that reads the port itself (a port made with
// PortReading::kOwnerThread, or a transport without a thread of its own)
// runs no link thread at all: it calls ReceiveAvailable and SendNextFrame on
// its own schedule, and `wake_up` is then called on its thread, from inside
// those calls.
class GimbalLink : private SerialEventSink, private LinkEventHandler, private CommandGate {
public:
    using WakeUp = std::function<void()>;

    // The link runs on `transport` (null: a serial port with a reader
    // thread of its own), its sender waking with `timer` (null: the
    // system's periodic timer).
    GimbalLink(ProtocolView& view, ConfirmQuestion& question, WakeUp wake_up,
               std::unique_ptr<ByteTransport> transport = nullptr,
               std::unique_ptr<SendTimer> timer = nullptr);
    ~GimbalLink() override;
    GimbalLink(const GimbalLink&) = delete;
    GimbalLink& operator=(const GimbalLink&) = delete;

    // Settings, read before the sender starts (the period is re-read on
    // every pass of the sender).
    void SetSendPeriod(int period_ms);
    void SetAutoStop(bool on);
    void SetObserver(LinkObserver* observer);

    // The sender runs from the window's initialisation to its destruction,
    // whether or not the port is open.
    void StartSender();
    void StopSender();

    // "Start Debug": opens the port, then begins the connection (optional
    // stop, parameter download). The cause when the port cannot be opened;
    // the status line then shows "Serial Port Open Failed" in red and
    // nothing else changes.
    PortOpenResult StartLink(const std::string& device, int baud);
    // "Stop Debug": closes the port, clears the requests and the status line.
    void StopLink();
    // Closes the port and nothing else (a port change, a firmware upgrade).
    void ClosePort();
    bool IsPortOpen() override;

    // On the owner's thread after `wake_up`: takes a slice of the queued
    // bytes, decodes every frame it completes and reports a lost port: a
    // failed write at once, a hang-up once the bytes read before it are
    // decoded, closing the port. When bytes are left, `wake_up` is called
    // again, so the owner handles its other events between slices.
    void HandleWakeUp();
    // One tick of the owner's 10 ms timer: the auto-stop watchdog.
    void TimerTick();

    // For an owner that reads the port itself, the reader's and the
    // sender's steps: queue what the driver holds (at most `limit` bytes;
    // not alive once the device is gone), and build and write one frame.
    SerialReadResult ReceiveAvailable(size_t limit);
    void SendNextFrame();

    TransactionState& State() { return m_protocol.State(); }
    const TelemetryState& Telemetry() const { return m_protocol.Telemetry(); }
    CommandTransactions& Transactions() { return m_protocol.Transactions(); }

    // Why the port was last lost; kNone until then and after a new start.
    LinkLoss LossCause() const { return m_loss; }

    // Bytes received and not yet decoded.
    size_t QueuedByteCount();
    LinkCounters Counters();

private:
    // SerialEventSink, on the port's reader and the sender thread.
    void PostSerialEvent(int wparam) override;
    // On the owner's thread: the loss taken from the threads' news, if any.
    LinkLoss TakeLoss(bool bytes_left);
    // LinkEventHandler, on the owner's thread inside HandleWakeUp.
    void OnTransmitError() override;
    void OnFrameReceived(const ProtocolFrame& frame) override;
    // CommandGate
    bool Confirm(int message_id) override;

    ProtocolView& m_view;
    ConfirmQuestion& m_question;
    const WakeUp m_wake_up;
    LinkObserver* m_observer = nullptr;
    // Set by the threads, cleared by HandleWakeUp: wake_up is called only
    // when it was clear, so the owner is woken at most once per handling.
    std::atomic<bool> m_wake_pending{false};
    std::atomic<bool> m_write_failed{false};
    std::atomic<bool> m_hung_up{false};
    LinkLoss m_loss = LinkLoss::kNone;
    std::atomic<int> m_period_ms{10};
    uint64_t m_frames_rejected = 0;
    uint64_t m_frames_decoded = 0;
    // The port goes last: its destructor joins the reader, which reaches
    // this object through PostSerialEvent.
    const std::unique_ptr<ByteTransport> m_port;
    ProtocolSession m_protocol;
    ReceivePump m_pump;
    SenderThread m_sender;
};
