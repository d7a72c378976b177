#include "platform/port_identity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A fake sysfs with USB serial adapters, and a published-port folder.
class PortIdentityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root =
            fs::temp_directory_path() / ("orvane-identity-" + std::to_string(getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        for (const char* folder : {"class/tty", "devices", "drivers/ftdi_sio", "published", "pts"})
            fs::create_directories(m_root / folder);
        m_sources = {(m_root / "class/tty").string(), "/dev", (m_root / "published").string()};
    }
    void TearDown() override { fs::remove_all(m_root); }

    // A usb-serial tty `name` on the adapter plugged in at `socket`, as the
    // kernel shows it: device, interface, then a port named after the tty.
    void PlugIn(const std::string& name, const std::string& socket, const std::string& serial)
    {
        const fs::path usb = m_root / "devices/usb1" / socket;
        fs::create_directories(usb);
        WriteLine(usb / "idVendor", "0403");
        WriteLine(usb / "idProduct", "6001");
        WriteLine(usb / "serial", serial);
        const fs::path port = usb / (socket + ":1.0") / name;
        fs::create_directories(port);
        fs::create_directory_symlink(m_root / "drivers/ftdi_sio", port / "driver");
        fs::create_directories(m_root / "class/tty" / name);
        fs::create_directory_symlink(port, m_root / "class/tty" / name / "device");
    }

    void Unplug(const std::string& name, const std::string& socket)
    {
        fs::remove_all(m_root / "class/tty" / name);
        fs::remove_all(m_root / "devices/usb1" / socket);
    }

    void Publish(const std::string& name, const std::string& pty)
    {
        std::ofstream(m_root / "pts" / pty).put('\n');
        fs::remove(m_root / "published" / name);
        fs::create_symlink(m_root / "pts" / pty, m_root / "published" / name);
    }

    static void WriteLine(const fs::path& file, const std::string& text)
    {
        std::ofstream(file) << text << '\n';
    }

    std::string Published(const std::string& name) const { return (m_root / "published" / name).string(); }

    std::optional<std::string> FoundDevice(const std::string& identity) const
    {
        const auto item = FindPortWithIdentity(m_sources, identity);
        return item ? std::optional(item->m_device_path) : std::nullopt;
    }

    fs::path m_root;
    PortListingSources m_sources;
};

TEST_F(PortIdentityTest, AnAdapterWithASerialNumberIsFoundUnderItsNewNameInAnySocket)
{
    PlugIn("ttyUSB0", "1-2", "A10K3XQ");
    PlugIn("ttyUSB1", "1-3", "OTHER01");
    const std::string identity = PortIdentityOf(m_sources, "/dev/ttyUSB0");
    EXPECT_EQ(identity, "usb:0403:6001:A10K3XQ");

    Unplug("ttyUSB0", "1-2");
    EXPECT_EQ(FoundDevice(identity), std::nullopt) << "another adapter of the same model is not it";

    PlugIn("ttyUSB2", "1-4", "A10K3XQ");
    EXPECT_EQ(FoundDevice(identity), "/dev/ttyUSB2");
}

TEST_F(PortIdentityTest, AnAdapterWithoutSerialNumberIsKnownByItsSocket)
{
    PlugIn("ttyUSB0", "1-2", "");
    const std::string identity = PortIdentityOf(m_sources, "/dev/ttyUSB0");
    EXPECT_EQ(identity, "path:" + fs::canonical(m_root / "devices/usb1/1-2/1-2:1.0").string())
        << "the tty's own name is no part of where it is plugged";

    Unplug("ttyUSB0", "1-2");
    PlugIn("ttyUSB1", "1-3", "");
    EXPECT_EQ(FoundDevice(identity), std::nullopt) << "another socket is another adapter";

    PlugIn("ttyUSB4", "1-2", "");
    EXPECT_EQ(FoundDevice(identity), "/dev/ttyUSB4");
}

TEST_F(PortIdentityTest, APublishedPortIsKnownByItsNameWhateverItsPty)
{
    Publish("bench", "3");
    const std::string identity = PortIdentityOf(m_sources, Published("bench"));
    EXPECT_EQ(identity, "published:bench");

    fs::remove(m_root / "pts/3");
    EXPECT_EQ(FoundDevice(identity), std::nullopt) << "a link whose pty is gone is no port";

    Publish("bench", "7");
    EXPECT_EQ(FoundDevice(identity), Published("bench"));
}

TEST_F(PortIdentityTest, APortOfUnknownOriginHasNoIdentityAndMatchesNothing)
{
    Publish("bench", "3");
    EXPECT_EQ(PortIdentityOf(m_sources, "/tmp/somewhere/else"), "");
    EXPECT_EQ(PortIdentityOf(m_sources, "/dev/ttyUSB9"), "") << "not in the tty class";
    EXPECT_EQ(FoundDevice(""), std::nullopt);
}

} // namespace
