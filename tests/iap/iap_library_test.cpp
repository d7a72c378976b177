#include "libs/iap/brevon_iap_lib_exp.h"
#include "upgrade_fixture.h"

#include "support/thread_census.h"

#include <condition_variable>
#include <mutex>

namespace {

// Collects the events the upgrade thread posts.
class RecordingSink : public IapEventSink {
public:
    void PostIapEvent(const IapEvent& event) override
    {
        std::lock_guard lock(m_lock);
        m_events.push_back(event);
        m_changed.notify_all();
    }

    // Waits until `predicate(events)` holds; false after a few seconds.
    template <typename Predicate> bool WaitFor(Predicate predicate)
    {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return predicate(m_events); });
    }

    std::vector<IapEvent> Events()
    {
        std::lock_guard lock(m_lock);
        return m_events;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<IapEvent> m_events;
};

bool EndedWith(const std::vector<IapEvent>& events, int32_t code)
{
    return !events.empty() && events.back().code == code;
}

TEST_F(UpgradeFixture, LibraryReportsAPortThatCannotBeOpened)
{
    RecordingSink sink;
    CBrevonIAPLibExp iap;
    iap.Init(&sink);
    iap.Start(m_folder.File("no-such-port"), FirmwareFileOf(1000));
    ASSERT_TRUE(sink.WaitFor([](const auto& events) { return EndedWith(events, IAP_PORT_OPEN_FAILED); }));
    EXPECT_NE(std::string(sink.Events().back().detail).find("no-such-port"), std::string::npos);
}

TEST_F(UpgradeFixture, LibraryCancelLeavesTheBootloaderWaitingAndTheNextUpgradeResumes)
{
    // A paced line, so the cancel lands in the middle of the writes.
    SimProcess controller = Controller({"--baud", "460800"});
    const std::string file = FirmwareFileOf(64 * 1024);
    RecordingSink sink;
    {
        CBrevonIAPLibExp iap;
        iap.Init(&sink);
        iap.Start(controller.Port(), file);
        ASSERT_TRUE(sink.WaitFor([](const std::vector<IapEvent>& events) {
            return !events.empty() && events.back().code == IAP_PROGRESS && events.back().percent >= 10;
        }));
        iap.Stop();
    }
    const std::vector<IapEvent> events = sink.Events();
    EXPECT_EQ(events.back().code, IAP_PROGRESS) << "a cancel posts no event of its own";

    const UpgradeResult resumed = Upgrade(controller.Port(), file);
    EXPECT_EQ(resumed.m_outcome, UpgradeOutcome::kSuccess) << resumed.m_detail;
    EXPECT_GE(resumed.m_resumed_from, 64u * 1024 / 10);
    EXPECT_EQ(resumed.m_old_version, 0) << "the old image was no longer valid";
    EXPECT_EQ(ReportedVersion(controller.Port()), 24);
}

TEST_F(UpgradeFixture, LibraryDestructorEndsARunningUpgrade)
{
    SimProcess controller = Controller({"--baud", "115200"});
    RecordingSink sink;
    {
        CBrevonIAPLibExp iap;
        iap.Init(&sink);
        iap.Start(controller.Port(), FirmwareFileOf(64 * 1024));
        ASSERT_TRUE(sink.WaitFor([](const std::vector<IapEvent>& events) { return events.size() >= 3; }));
        EXPECT_EQ(CountThreadsNamed(kUpgradeThreadName), 1u);
    }
    EXPECT_EQ(CountThreadsNamed(kUpgradeThreadName), 0u) << "no thread is left to post";
}

} // namespace
