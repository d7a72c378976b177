#include "link/link_status.h"

#include <utility>

bool LinkStatus::ShowsStopDebug() const
{
    return IsOpen() || IsLost();
}

void LinkStatus::Listen(Listener listener)
{
    m_listeners.push_back(std::move(listener));
}

void LinkStatus::OnLinkOpened()
{
    Enter(LinkPhase::kTransferring);
}

void LinkStatus::OnLinkClosed()
{
    Enter(LinkPhase::kClosed);
}

void LinkStatus::OnTransferStarted()
{
    if (m_phase == LinkPhase::kLinked)
        Enter(LinkPhase::kTransferring);
}

void LinkStatus::OnTransferFinished()
{
    if (m_phase == LinkPhase::kTransferring)
        Enter(LinkPhase::kLinked);
}

void LinkStatus::OnLinkLost(bool watched)
{
    if (IsOpen())
        Enter(watched ? LinkPhase::kWatchingForPort : LinkPhase::kLost);
}

void LinkStatus::OnWatchEnded()
{
    if (m_phase == LinkPhase::kWatchingForPort)
        Enter(LinkPhase::kLost);
}

// The upgrade and the replay leave the phase alone when the user has moved
// on meanwhile (a link started during the upgrade, a replay stopped by one).
void LinkStatus::OnUpgradeStarted()
{
    Enter(LinkPhase::kUpgrading);
}

void LinkStatus::OnUpgradeEnded()
{
    if (m_phase == LinkPhase::kUpgrading)
        Enter(LinkPhase::kClosed);
}

void LinkStatus::OnReplayStarted()
{
    Enter(LinkPhase::kReplaying);
}

void LinkStatus::OnReplayStopped()
{
    if (m_phase == LinkPhase::kReplaying)
        Enter(LinkPhase::kClosed);
}

void LinkStatus::Enter(LinkPhase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    for (const Listener& listener : m_listeners)
        listener(phase);
}
