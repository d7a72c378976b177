#include "features/reconnect/port_reconnect.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Records what reconnecting asked of the window; a reconnect opens the link
// again as the link button would.
class RecordingActions : public ReconnectActions {
public:
    explicit RecordingActions(LinkStatus& status) : m_status(status) {}

    void SelectPort(const std::string& device) override { m_selected.push_back(device); }
    void OfferReconnect(const std::string& display_name) override { m_offers.push_back(display_name); }
    void Reconnect() override
    {
        ++m_reconnects;
        m_status.OnLinkClosed();
        m_status.OnLinkOpened();
    }

    LinkStatus& m_status;
    std::vector<std::string> m_selected;
    std::vector<std::string> m_offers;
    int m_reconnects = 0;
};

// A published port (the simulator's kind) that can vanish and return.
class PortReconnectTest : public testing::Test {
protected:
    PortReconnectTest()
    {
        fs::create_directories(m_folder.Path() / "published");
        fs::create_directories(m_folder.Path() / "pts");
    }

    void Publish(const std::string& name)
    {
        std::ofstream(m_folder.Path() / "pts" / name).put('\n');
        fs::create_symlink(m_folder.Path() / "pts" / name, m_folder.Path() / "published" / name);
    }
    void Withdraw(const std::string& name) { fs::remove(m_folder.Path() / "published" / name); }
    std::string Device(const std::string& name) const
    {
        return (m_folder.Path() / "published" / name).string();
    }

    // Half a second of the window's timer: one look while watching.
    void HalfASecond()
    {
        for (unsigned tick = 0; tick < PortReconnect::kTicksPerLook; ++tick)
            m_reconnect.Tick();
    }

    void LinkTo(const std::string& device)
    {
        m_status.OnLinkOpened();
        m_reconnect.OnLinkOpened(device);
        m_status.OnTransferFinished();
    }

    ScratchFolder m_folder{"reconnect"};
    PortListingSources m_sources{(m_folder.Path() / "none").string(), "/dev",
                                 (m_folder.Path() / "published").string()};
    LinkStatus m_status;
    RecordingActions m_actions{m_status};
    PortReconnect m_reconnect{m_status, m_sources, m_actions};
};

} // namespace

TEST_F(PortReconnectTest, AReturnedPortIsSelectedAndOfferedOncePerLoss)
{
    Publish("bench");
    LinkTo(Device("bench"));
    Withdraw("bench");
    m_reconnect.OnLinkLost();
    EXPECT_EQ(m_status.Phase(), LinkPhase::kWatchingForPort);
    HalfASecond();
    EXPECT_TRUE(m_actions.m_offers.empty()) << "not back yet";

    Publish("bench");
    HalfASecond();
    HalfASecond();
    EXPECT_EQ(m_actions.m_selected, std::vector<std::string>{Device("bench")});
    EXPECT_EQ(m_actions.m_offers, std::vector<std::string>{"bench"});
    EXPECT_EQ(m_status.Phase(), LinkPhase::kLost);
    EXPECT_EQ(m_reconnect.LookCount(), 2u) << "none after the port was found";
    EXPECT_EQ(m_reconnect.TickCount(), 3 * PortReconnect::kTicksPerLook);

    m_reconnect.TakeOffer();
    m_reconnect.TakeOffer();
    EXPECT_EQ(m_actions.m_reconnects, 1) << "a link opened again is no longer lost";
}

TEST_F(PortReconnectTest, AutomaticallyTheReturnedPortIsReconnectedWithoutAnOffer)
{
    m_reconnect.SetAutomatic(true);
    Publish("bench");
    LinkTo(Device("bench"));
    m_reconnect.OnLinkLost();
    HalfASecond();
    EXPECT_TRUE(m_actions.m_offers.empty());
    EXPECT_EQ(m_actions.m_reconnects, 1);
    EXPECT_EQ(m_status.Phase(), LinkPhase::kTransferring);
}

TEST_F(PortReconnectTest, NothingIsWatchedForOnceTheUserEndsTheLinkOrWhenThePortHasNoIdentity)
{
    Publish("bench");
    LinkTo(Device("bench"));
    m_reconnect.OnLinkLost();
    m_status.OnLinkClosed(); // "Stop Debug"
    HalfASecond();
    m_reconnect.TakeOffer();
    EXPECT_TRUE(m_actions.m_selected.empty());
    EXPECT_EQ(m_actions.m_reconnects, 0);
    EXPECT_EQ(m_reconnect.LookCount(), 0u);

    LinkTo("/dev/null"); // a device the system says nothing about
    m_reconnect.OnLinkLost();
    EXPECT_EQ(m_status.Phase(), LinkPhase::kLost);
    HalfASecond();
    EXPECT_TRUE(m_actions.m_selected.empty());
}
