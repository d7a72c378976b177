#include "features/reconnect/port_reconnect.h"

#include "platform/port_identity.h"

#include <utility>

PortReconnect::PortReconnect(LinkStatus& status, PortListingSources sources, ReconnectActions& actions)
    : m_status(status), m_sources(std::move(sources)), m_actions(actions)
{
}

void PortReconnect::OnLinkOpened(const std::string& device)
{
    m_identity = PortIdentityOf(m_sources, device);
}

void PortReconnect::OnLinkLost()
{
    m_status.OnLinkLost(!m_identity.empty());
}

void PortReconnect::Tick()
{
    ++m_tick_count;
    if (m_status.Phase() == LinkPhase::kWatchingForPort && m_watch_ticks.Tick())
        LookForReturnedPort();
}

void PortReconnect::LookForReturnedPort()
{
    ++m_look_count;
    const std::optional<SerialPortItem> port = FindPortWithIdentity(m_sources, m_identity);
    if (!port)
        return;
    m_status.OnWatchEnded();
    m_actions.SelectPort(port->m_device_path);
    if (m_automatic)
        TakeOffer();
    else
        m_actions.OfferReconnect(port->m_display_name);
}

void PortReconnect::TakeOffer()
{
    if (m_status.IsLost())
        m_actions.Reconnect();
}
