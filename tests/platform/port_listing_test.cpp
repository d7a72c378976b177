#include "platform/port_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A fake sysfs tty class, device folder and published-port folder.
class PortListingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root =
            fs::temp_directory_path() / ("orvane-ports-" + std::to_string(getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        for (const char* folder : {"class/tty", "devices", "drivers", "published", "pts"})
            fs::create_directories(m_root / folder);
        m_sources = {(m_root / "class/tty").string(), "/dev", (m_root / "published").string()};
    }
    void TearDown() override { fs::remove_all(m_root); }

    // A tty entry; with a device bound to `driver` when it is given, with a
    // device but no driver when it is empty, without a device when null.
    void AddTty(const std::string& name, const char* driver)
    {
        const fs::path entry = m_root / "class/tty" / name;
        fs::create_directories(entry);
        if (driver == nullptr)
            return;
        const fs::path device = m_root / "devices" / name;
        fs::create_directories(device);
        fs::create_directory_symlink(device, entry / "device");
        if (*driver != '\0') {
            fs::create_directories(m_root / "drivers" / driver);
            fs::create_directory_symlink(m_root / "drivers" / driver, device / "driver");
        }
    }

    // A UART tty as newer kernels show it: the tty's device is a port of the
    // serial core's bus, below a controller of that bus, below the hardware.
    void AddSerialCoreTty(const std::string& name, const std::string& hardware, const std::string& driver)
    {
        const fs::path bus = m_root / "bus/serial-base";
        fs::create_directories(bus / "drivers/port");
        fs::create_directories(bus / "drivers/ctrl");
        fs::create_directories(m_root / "drivers" / driver);
        const fs::path hardware_dir = m_root / "devices" / hardware;
        const fs::path controller = hardware_dir / (hardware + ":0");
        const fs::path port = controller / (hardware + ":0.0");
        fs::create_directories(port);
        if (!fs::exists(hardware_dir / "driver"))
            fs::create_directory_symlink(m_root / "drivers" / driver, hardware_dir / "driver");
        for (const auto& [device, role] : {std::pair{controller, "ctrl"}, {port, "port"}}) {
            fs::create_directory_symlink(bus, device / "subsystem");
            fs::create_directory_symlink(bus / "drivers" / role, device / "driver");
        }
        fs::create_directories(m_root / "class/tty" / name);
        fs::create_directory_symlink(port, m_root / "class/tty" / name / "device");
    }

    // A published link to a pty that exists, or to one that is gone.
    void Publish(const std::string& name, bool target_exists)
    {
        const fs::path target = m_root / "pts" / name;
        if (target_exists)
            std::ofstream(target).put('\n');
        fs::create_symlink(target, m_root / "published" / name);
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const SerialPortItem& item : ListSerialPortItems(m_sources))
            names.push_back(item.m_display_name);
        return names;
    }

    fs::path m_root;
    PortListingSources m_sources;
};

TEST_F(PortListingTest, KeepsRealDevicesAndLivePublishedPortsSortedAsText)
{
    AddTty("ttyUSB2", "ftdi_sio");
    AddTty("ttyUSB10", "cp210x");
    AddTty("ttyACM0", "cdc_acm");
    AddTty("ttyS0", "serial");
    AddTty("ttyS1", "serial8250"); // placeholder without a UART
    AddTty("ttyS2", "");           // device without a driver
    AddTty("tty5", nullptr);       // virtual console: no device
    AddTty("console", nullptr);
    Publish("orvane-sim0", true);
    Publish("orvane-sim1", false); // the simulator has gone
    std::ofstream(m_root / "published" / "notes.txt").put('x');

    EXPECT_EQ(Names(), (std::vector<std::string>{"orvane-sim0", "ttyACM0", "ttyS0", "ttyUSB10", "ttyUSB2"}));
}

TEST_F(PortListingTest, LooksThroughTheSerialCoreBusForTheHardwareDriver)
{
    AddSerialCoreTty("ttyS0", "00:05", "serial");
    AddSerialCoreTty("ttyS1", "serial8250", "serial8250");
    EXPECT_EQ(Names(), std::vector<std::string>{"ttyS0"});
}

TEST_F(PortListingTest, GivesDevicePathsTheLinkOpens)
{
    AddTty("ttyUSB0", "ftdi_sio");
    Publish("orvane-sim0", true);
    const std::vector<SerialPortItem> items = ListSerialPortItems(m_sources);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].m_device_path, (m_root / "published/orvane-sim0").string());
    EXPECT_EQ(items[1].m_device_path, "/dev/ttyUSB0");
}

TEST_F(PortListingTest, MissingFoldersGiveAnEmptyList)
{
    m_sources = {(m_root / "none/tty").string(), "/dev", (m_root / "none/published").string()};
    EXPECT_TRUE(ListSerialPortItems(m_sources).empty());
    EXPECT_FALSE(ReadSerialPortItems(m_sources).has_value()) << "no tty class: the caller keeps its list";
}

TEST_F(PortListingTest, AReadableListingWithoutPortsIsAnEmptyList)
{
    const std::optional<std::vector<SerialPortItem>> items = ReadSerialPortItems(m_sources);
    ASSERT_TRUE(items.has_value());
    EXPECT_TRUE(items->empty());
}

} // namespace
