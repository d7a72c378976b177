#pragma once

#include <functional>
#include <vector>

// Where the window's link stands, one value at a time.
enum class LinkPhase {
    kClosed,          // no port open
    kTransferring,    // open, a parameter set travels (every link begins with a download)
    kLinked,          // open and idle: a transfer or a comparison may start
    kLost,            // the port failed under the link; the user has not stopped it yet
    kWatchingForPort, // lost, and the port it had is looked for to come back
    kUpgrading,       // a firmware upgrade holds the port
    kReplaying,       // the views show a recording; no port open
};

// The link's state for everything beyond the link button's own handlers,
// which keep reading the button's caption: the two always agree
// (ShowsStopDebug). Kept by the link's owner, on its thread, from what the
// user did and what the link reported; features ask it and listen to it
// instead of reading captions or mirrored flags.
class LinkStatus {
public:
    // Told the phase after every change. A listener must not change the
    // phase itself: every listener sees each change once, in order.
    using Listener = std::function<void(LinkPhase)>;

    LinkPhase Phase() const { return m_phase; }
    // The user's link runs, lost or not: the link button reads "Stop Debug".
    bool ShowsStopDebug() const;
    bool IsLost() const { return m_phase == LinkPhase::kLost || m_phase == LinkPhase::kWatchingForPort; }

    void Listen(Listener listener);

    // "Start Debug" opened the port; the connection's download begins.
    void OnLinkOpened();
    // "Stop Debug", or another port chosen while linked.
    void OnLinkClosed();
    // A transfer began or ended while the port is open.
    void OnTransferStarted();
    void OnTransferFinished();
    // A write failed; `watched` when the port is looked for to come back.
    void OnLinkLost(bool watched);
    // The lost link's port is back (or no longer looked for).
    void OnWatchEnded();
    void OnUpgradeStarted();
    void OnUpgradeEnded();
    void OnReplayStarted();
    void OnReplayStopped();

private:
    bool IsOpen() const { return m_phase == LinkPhase::kTransferring || m_phase == LinkPhase::kLinked; }
    void Enter(LinkPhase phase);

    LinkPhase m_phase = LinkPhase::kClosed;
    std::vector<Listener> m_listeners;
};
