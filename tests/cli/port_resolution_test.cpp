#include "port_resolution.h"

#include "support/scratch_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class PortResolution : public testing::Test {
protected:
    ScratchFolder m_folder{"cli-test"};
};

TEST_F(PortResolution, PathsAreTakenAsTheyStandAndUnknownNamesResolveToNothing)
{
    EXPECT_EQ(ResolvePortPath("/dev/pts/9"), "/dev/pts/9");
    EXPECT_EQ(ResolvePortPath("./relative"), "./relative");
    EXPECT_EQ(ResolvePortPath("no-such-port-anywhere"), "");
    EXPECT_EQ(ResolvePortPath("null"), "/dev/null") << "a device under /dev by its name";
}

TEST_F(PortResolution, FailuresNameTheirCause)
{
    const std::string gone = m_folder.File("gone");
    EXPECT_EQ(DescribePortOpenFailure(gone, 115200), "port '" + gone + "' does not exist");
    const std::string file = m_folder.File("plain");
    std::ofstream(file) << "x";
    EXPECT_EQ(DescribePortOpenFailure(file, 115200), "'" + file + "' is not a serial device");
}

// Root passes every permission check, so the check runs in a child that
// has given up root for the "nobody" account.
std::string DescribeAsUnprivileged(const std::string& device)
{
    if (geteuid() != 0) {
        return DescribePortOpenFailure(device, 115200);
    }
    int channel[2];
    EXPECT_EQ(pipe(channel), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
        const std::string message = dropped ? DescribePortOpenFailure(device, 115200) : "cannot drop root";
        const ssize_t written = write(channel[1], message.data(), message.size());
        _exit(written < 0 ? 1 : 0);
    }
    close(channel[1]);
    std::string message;
    char buffer[256];
    for (ssize_t count; (count = read(channel[0], buffer, sizeof buffer)) > 0;) {
        message.append(buffer, count);
    }
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return message;
}

TEST_F(PortResolution, MissingPermissionNamesTheGroupToJoin)
{
    chmod(m_folder.Path().c_str(), 0755);
    const std::string file = m_folder.File("locked");
    std::ofstream(file) << "x";
    chmod(file.c_str(), 0600);
    const std::string message = DescribeAsUnprivileged(file);
    EXPECT_EQ(message.rfind("permission denied on port '" + file + "': the user must be in the group '", 0),
              0u)
        << message;
    EXPECT_NE(message.find("sudo usermod -aG "), std::string::npos);
}

} // namespace
