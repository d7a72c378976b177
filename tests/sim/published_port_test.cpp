#include "sim/published_port.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class PublishedPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("orvane-port-test-" + std::to_string(getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root);
        m_folder = (m_root / "orvane" / "ports").string();
        m_target = (m_root / "tty").string();
        std::ofstream(m_target) << "x";
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string Link(const std::string& name, const std::string& target)
    {
        const std::string path = m_folder + "/" + name;
        fs::create_symlink(target, path);
        return path;
    }

    fs::path m_root;
    std::string m_folder;
    std::string m_target;
};

pid_t FinishedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST_F(PublishedPortTest, PublishesInAPrivateFolderAndRemovesTheLinkWhenDone)
{
    std::string error;
    {
        std::optional<PublishedPort> port = PublishedPort::Publish(m_folder, "sim-a", m_target, error);
        ASSERT_TRUE(port) << error;
        EXPECT_EQ(port->Path(), m_folder + "/sim-a");
        EXPECT_EQ(fs::read_symlink(port->Path()), m_target);
        struct stat info {};
        ASSERT_EQ(stat(m_folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        ASSERT_EQ(stat((m_root / "orvane").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    EXPECT_FALSE(fs::is_symlink(m_folder + "/sim-a"));
}

TEST_F(PublishedPortTest, ANameInUseByALivePortIsRefused)
{
    std::string error;
    std::optional<PublishedPort> first = PublishedPort::Publish(m_folder, "sim-a", m_target, error);
    ASSERT_TRUE(first);
    EXPECT_FALSE(PublishedPort::Publish(m_folder, "sim-a", m_target, error));
    EXPECT_NE(error.find("sim-a"), std::string::npos);
    EXPECT_EQ(fs::read_symlink(first->Path()), m_target);
}

TEST_F(PublishedPortTest, StaleLinksGoAndLiveOnesStay)
{
    std::string error;
    ASSERT_TRUE(PublishedPort::Publish(m_folder, "first", m_target, error)); // creates the folder
    const std::string dead_target = Link("gone", (m_root / "no-such-tty").string());
    const std::string dead_pid = Link("orvane-sim-" + std::to_string(FinishedProcess()), m_target);
    const std::string live_pid = Link("orvane-sim-" + std::to_string(getpid()), m_target);
    const std::string named = Link("bench", m_target);
    const std::string file = m_folder + "/notes.txt";
    std::ofstream(file) << "not a link";

    RemoveStaleLinks(m_folder);
    EXPECT_FALSE(fs::is_symlink(dead_target));
    EXPECT_FALSE(fs::is_symlink(dead_pid));
    EXPECT_TRUE(fs::is_symlink(live_pid));
    EXPECT_TRUE(fs::is_symlink(named));
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(PublishedPortTest, ALinkReplacedBySomeoneElseIsLeftAlone)
{
    std::string error;
    std::optional<PublishedPort> port = PublishedPort::Publish(m_folder, "sim-a", m_target, error);
    ASSERT_TRUE(port);
    const std::string path = port->Path();
    fs::remove(path);
    const std::string other = (m_root / "other-tty").string();
    std::ofstream(other) << "y";
    fs::create_symlink(other, path);
    port->Remove();
    EXPECT_TRUE(fs::is_symlink(path));
}
