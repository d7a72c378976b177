#include "platform/ini_file.h"
#include "platform/output_file.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status.st_mode;
}

// Sets the umask for one test and puts the old one back.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : m_old(::umask(mask)) {}
    ~UmaskScope() { ::umask(m_old); }

private:
    mode_t m_old;
};

class OutputFileTest : public testing::Test {
protected:
    ScratchFolder m_folder{"output-file"};
};

TEST_F(OutputFileTest, ANewFileGetsThePermissionsTheUmaskLeaves)
{
    const UmaskScope umask(022);
    const std::string path = m_folder.File("new.txt");
    ASSERT_EQ(WriteOutputFile(path, "one"), "");
    EXPECT_EQ(ModeOf(path) & 0777, 0644u);
    EXPECT_EQ(ReadWholeFile(path), "one");
    ASSERT_EQ(WriteOutputFile(path, "two"), "");
    EXPECT_EQ(ReadWholeFile(path), "two");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path()), {}), 1)
        << "nothing left beside it";
}

TEST_F(OutputFileTest, ASymbolicLinkStaysAndItsTargetIsWritten)
{
    const std::string target = m_folder.File("target.txt");
    const std::string link = m_folder.File("link.txt");
    WriteWholeFile(target, "old");
    ASSERT_EQ(::symlink("target.txt", link.c_str()), 0);
    ASSERT_EQ(WriteOutputFile(link, "new"), "");
    EXPECT_TRUE(S_ISLNK(ModeOf(link)));
    EXPECT_EQ(ReadWholeFile(target), "new");

    // A link whose target does not exist yet creates it.
    const std::string dangling = m_folder.File("dangling.txt");
    ASSERT_EQ(::symlink("later.txt", dangling.c_str()), 0);
    ASSERT_EQ(WriteOutputFile(dangling, "made"), "");
    EXPECT_TRUE(S_ISLNK(ModeOf(dangling)));
    EXPECT_EQ(ReadWholeFile(m_folder.File("later.txt")), "made");
}

TEST_F(OutputFileTest, AFifoIsWrittenInPlaceAndItsReaderGetsTheBytes)
{
    const std::string fifo = m_folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(WriteOutputFile(fifo, "lost"), "cannot write '" + fifo + "': no process reads from it")
        << "nobody reads: refused, not waited on";
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(WriteOutputFile(fifo, "through the pipe"), "");
    char buffer[64] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer - 1), 16);
    EXPECT_STREQ(buffer, "through the pipe");
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
}

TEST_F(OutputFileTest, ACharacterDeviceIsWrittenInPlaceNeverReplaced)
{
    EXPECT_EQ(InspectOutput("/dev/null").kind, OutputKind::kStream);
    // A copy of /dev/null's node needs the right to make devices (root).
    const std::string node = m_folder.File("null-copy");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here";
    EXPECT_EQ(WriteOutputFile(node, "gone"), "");
    EXPECT_TRUE(S_ISCHR(ModeOf(node)));
    // The settings and parameter files go the same way.
    EXPECT_TRUE(WriteIniString(node, "Setting", "LAN", "EN"));
    EXPECT_TRUE(S_ISCHR(ModeOf(node)));
}

TEST_F(OutputFileTest, FoldersAndSocketsAreRefusedWithTheReason)
{
    const std::string folder = m_folder.File("folder");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(WriteOutputFile(folder, "x"), "'" + folder + "' is a folder, not a file; nothing was written");

    const std::string socket_path = m_folder.File("socket");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socket_path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(WriteOutputFile(socket_path, "x"),
              "'" + socket_path + "' is a socket, not a file; nothing was written");
    EXPECT_TRUE(S_ISSOCK(ModeOf(socket_path)));
    ::close(fd);

    const std::string loop = m_folder.File("loop");
    ASSERT_EQ(::symlink("loop", loop.c_str()), 0);
    EXPECT_EQ(InspectOutput(loop).kind, OutputKind::kRefused);
}

} // namespace
