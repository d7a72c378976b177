#include "platform/atomic_file.h"
#include "platform/pending_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, on either system.
class PendingFileTest : public ::testing::Test {
protected:
    PendingFileTest()
        : m_folder(fs::temp_directory_path() /
                   ("orvane-pending-" +
                    std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
    {
        fs::create_directories(m_folder);
    }
    ~PendingFileTest() override
    {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    std::string File(const char* name) const { return (m_folder / name).string(); }
    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    size_t EntryCount() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }

    fs::path m_folder;
};

TEST_F(PendingFileTest, TakesItsNameAndTheStreamWritesOnIntoIt)
{
    const std::string path = File("run.csv");
    std::ofstream stream;
    std::string error;
    const std::string temporary = CreatePendingFile(path, stream, error);
    ASSERT_FALSE(temporary.empty()) << error;
    stream << "header\n" << std::flush;
    EXPECT_FALSE(fs::exists(path));

    ASSERT_EQ(PublishPendingFile(stream, temporary, path, false, error), PublishResult::kPublished) << error;
    stream << "row\n" << std::flush;
    stream.close();
    EXPECT_EQ(Contents(path), "header\nrow\n");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(PendingFileTest, AFileThatAppearedMeanwhileIsKeptUnlessReplacing)
{
    const std::string path = File("run.csv");
    std::ofstream stream;
    std::string error;
    const std::string temporary = CreatePendingFile(path, stream, error);
    ASSERT_FALSE(temporary.empty()) << error;
    stream << "new\n" << std::flush;
    std::ofstream(path, std::ios::binary) << "theirs\n";

    EXPECT_EQ(PublishPendingFile(stream, temporary, path, false, error), PublishResult::kNameTaken);
    EXPECT_EQ(Contents(path), "theirs\n");

    ASSERT_EQ(PublishPendingFile(stream, temporary, path, true, error), PublishResult::kPublished) << error;
    stream.close();
    EXPECT_EQ(Contents(path), "new\n");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(PendingFileTest, RemovingLeavesNothingBehind)
{
    std::ofstream stream;
    std::string error;
    const std::string temporary = CreatePendingFile(File("run.csv"), stream, error);
    ASSERT_FALSE(temporary.empty()) << error;
    stream.close();
    RemovePendingFile(temporary);
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(PendingFileTest, AtomicReplaceWritesNewAndExistingFilesAndRefusesAFolder)
{
    const std::string path = File("Setting.ini");
    ASSERT_TRUE(ReplaceFileAtomically(path, "a=1\r\n"));
    ASSERT_TRUE(ReplaceFileAtomically(path, "a=2\r\n"));
    std::string contents;
    ASSERT_EQ(ReadWholeFile(path, 64, contents), FileReadResult::Read);
    EXPECT_EQ(contents, "a=2\r\n");
    EXPECT_EQ(ReadWholeFile(path, 3, contents), FileReadResult::Failed);
    EXPECT_EQ(ReadWholeFile(File("absent.ini"), 64, contents), FileReadResult::Missing);
    EXPECT_EQ(EntryCount(), 1u);

    fs::create_directory(File("folder"));
    EXPECT_FALSE(ReplaceFileAtomically(File("folder"), "x"));
    EXPECT_TRUE(fs::is_directory(File("folder")));
}

} // namespace
