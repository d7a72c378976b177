#include "platform/process.h"
#include "platform/runtime_dir.h"
#include "platform/wide_text_win.h"
#include "platform/windows_api_win.h"

#include "support/poll_until.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A scratch folder whose name lies outside every legacy code page, made the
// working folder for the test; both are undone afterwards.
class WideFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_previous = fs::current_path();
        m_folder = fs::temp_directory_path() /
                   (L"orvane-Z\u00fcrich-\u5317\u4eac-" + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(m_folder);
        fs::current_path(m_folder);
    }
    void TearDown() override
    {
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    fs::path m_previous;
    fs::path m_folder;
};

TEST_F(WideFolderTest, TheWorkingFolderComesBackAsUtf8)
{
    EXPECT_EQ(WideFromUtf8(CurrentDirectory()), m_folder.wstring());
    EXPECT_NE(CurrentDirectory().find("Z\xc3\xbcrich-\xe5\x8c\x97\xe4\xba\xac"), std::string::npos);
}

TEST(ProcessWin, TheExecutableIsThisProgram)
{
    const fs::path executable(WideFromUtf8(ExecutablePath()));
    EXPECT_TRUE(executable.is_absolute());
    EXPECT_TRUE(fs::exists(executable));
    EXPECT_EQ(executable.extension(), ".exe");
}

TEST_F(WideFolderTest, ALaunchedProgramStartsInTheSameWorkingFolder)
{
    // A batch file stands in for the program: it writes where it runs.
    std::ofstream(m_folder / "relaunch.cmd")
        << "@cd > started.tmp\r\n@move started.tmp started.txt > nul\r\n";
    ASSERT_TRUE(LaunchProgram(Utf8FromWide((m_folder / "relaunch.cmd").wstring())));
    const fs::path marker = m_folder / "started.txt";
    ASSERT_TRUE(PollUntil([&] { return fs::exists(marker); }, std::chrono::seconds(30)));
    EXPECT_FALSE(LaunchProgram(""));
    EXPECT_FALSE(LaunchProgram(Utf8FromWide((m_folder / "no-such-program.exe").wstring())));
}

TEST(ProcessWin, KeptFilesGoToTheLocalApplicationData)
{
    const char* local = std::getenv("LOCALAPPDATA");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(UserDataDirectory(), std::string(local) + "\\Orvane");
}

} // namespace
