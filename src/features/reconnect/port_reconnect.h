#pragma once

#include "app/tick_divider.h"
#include "link/link_status.h"
#include "platform/port_listing.h"

#include <cstdint>
#include <string>

// What reconnecting asks of the window.
class ReconnectActions {
public:
    // Relists the ports and selects `device`.
    virtual void SelectPort(const std::string& device) = 0;
    // Offers to reconnect to the port shown as `display_name`; the answer
    // comes to PortReconnect::TakeOffer.
    virtual void OfferReconnect(const std::string& display_name) = 0;
    // Ends the lost link and starts one on the selected port, as the user
    // would with the link button.
    virtual void Reconnect() = 0;

protected:
    ~ReconnectActions() = default;
};

// Automatic reconnect and the port watch. The identity of the port a link
// opens is noted while the port is there (once unplugged, the system no
// longer says what it was). When the link is lost, the port list is looked
// at twice a second until a port of that identity is back; it is selected
// and reconnected at once or offered to the user, once per loss.
class PortReconnect {
public:
    // The window's timer ticks between two looks at the port list.
    static constexpr unsigned kTicksPerLook = 50;

    PortReconnect(LinkStatus& status, PortListingSources sources, ReconnectActions& actions);

    void OnLinkOpened(const std::string& device);
    // A write failed on the open link.
    void OnLinkLost();
    // One tick of the window's 10 ms timer.
    void Tick();
    // The user took the offer. A link the user has stopped, or started
    // again, since is left alone.
    void TakeOffer();

    void SetAutomatic(bool on) { m_automatic = on; }
    bool Automatic() const { return m_automatic; }

    // Ticks seen and looks at the port list made since the window opened:
    // a test waits for ticks to pass instead of for time.
    uint64_t TickCount() const { return m_tick_count; }
    uint64_t LookCount() const { return m_look_count; }

private:
    void LookForReturnedPort();

    LinkStatus& m_status;
    const PortListingSources m_sources;
    ReconnectActions& m_actions;
    std::string m_identity; // of the port the link last opened; empty when it has none
    TickDivider m_watch_ticks{kTicksPerLook};
    bool m_automatic = false;
    uint64_t m_tick_count = 0;
    uint64_t m_look_count = 0;
};
