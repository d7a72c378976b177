#include "platform/ini_file.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void Put(const std::string& bytes) const { WriteWholeFile(m_path, bytes); }
    std::string Contents() const { return ReadWholeFile(m_path); }
    std::string Read(std::string_view section, std::string_view key) const
    {
        return ReadIniString(m_path, section, key, "<none>");
    }
    // Writes one key into the given file text and returns the new text.
    std::string AfterWrite(const std::string& before, std::string_view section, std::string_view key,
                           std::string_view value) const
    {
        Put(before);
        EXPECT_TRUE(WriteIniString(m_path, section, key, value));
        return Contents();
    }

    ScratchFolder m_folder{"ini"};
    std::string m_path = m_folder.File("Setting.ini");
};

TEST_F(IniFileTest, FallbackForMissingFileSectionOrKey)
{
    EXPECT_EQ(Read("Setting", "LAN"), "<none>");
    Put("[Setting]\nLAN=EN\n");
    EXPECT_EQ(Read("Other", "LAN"), "<none>");
    EXPECT_EQ(Read("Setting", "COMNUM"), "<none>");
    EXPECT_EQ(Read("Setting", "LAN"), "EN");
}

TEST_F(IniFileTest, NamesIgnoreCaseAndValuesAreTrimmedAndUnquotedOnce)
{
    Put("  [ setting ]  \n  lan  =   EN  \nA=\"  quoted  \"\nB=\"\"x\"\"\nC=\"\nD=\nE=a=b\n");
    EXPECT_EQ(Read("SETTING", "LAN"), "EN");
    EXPECT_EQ(Read("Setting", "a"), "  quoted  ");
    EXPECT_EQ(Read("Setting", "B"), "\"x\"");
    EXPECT_EQ(Read("Setting", "C"), "\"");
    EXPECT_EQ(Read("Setting", "D"), "") << "an empty value is present, not missing";
    EXPECT_EQ(Read("Setting", "E"), "a=b");
}

TEST_F(IniFileTest, FirstOfDuplicateKeysAndSectionsWins)
{
    Put("K=before\n[S]\nK=1\nk=2\n[T]\nK=t\n[s]\nK=3\nL=late\n");
    EXPECT_EQ(Read("S", "K"), "1");
    EXPECT_EQ(Read("S", "L"), "<none>") << "a repeated section is not searched";
    EXPECT_EQ(Read("T", "K"), "t");
    EXPECT_EQ(AfterWrite(Contents(), "S", "K", "9"), "K=before\n[S]\nK=9\nk=2\n[T]\nK=t\n[s]\nK=3\nL=late\n");
}

TEST_F(IniFileTest, ToleratesCrLfBomMissingNewlineAndJunk)
{
    Put("\xEF\xBB\xBF[S]\r\nA=1\r\njunk line\r\n; A=comment\r\nB=2");
    EXPECT_EQ(Read("S", "A"), "1");
    EXPECT_EQ(Read("S", "B"), "2");
    Put(std::string("[S]\nA=x\0y\n\xFF\xFE\0\0=\n[\0]\nB=\x80\n", 25));
    EXPECT_EQ(Read("S", "A"), std::string("x\0y", 3));
    EXPECT_EQ(Read("S", "B"), "<none>");
    Put("[]\n=nameless\n");
    EXPECT_EQ(Read("", ""), "<none>");
    EXPECT_EQ(Read(" ", " "), "<none>");
}

TEST_F(IniFileTest, ReadsAreCutAt1023CharactersWithoutSplittingUtf8)
{
    const std::string euro = "\xE2\x82\xAC"; // one character, three bytes
    std::string long_value;
    for (int i = 0; i < 1100; ++i) {
        long_value += euro;
    }
    Put("[S]\nV=" + long_value + "\nHuge=" + std::string(10u << 20, 'x') + "\nAfter=ok\n");
    const std::string value = Read("S", "V");
    EXPECT_EQ(value.size(), 1023u * euro.size());
    EXPECT_EQ(Read("S", "Huge").size(), 1023u);
    EXPECT_EQ(Read("S", "After"), "ok");
    EXPECT_EQ(ReadIniString(m_path, "S", "Missing", std::string(2000, 'd')).size(), 1023u);
}

TEST_F(IniFileTest, NewFileUsesLfAndNewSectionsGoAtTheEnd)
{
    EXPECT_TRUE(WriteIniString(m_path, "Setting", "LAN", "CN"));
    EXPECT_EQ(Contents(), "[Setting]\nLAN=CN\n");
    EXPECT_EQ(AfterWrite("[A]\r\nX=1", "B", "Y", "2"), "[A]\r\nX=1\r\n[B]\r\nY=2\r\n");
}

TEST_F(IniFileTest, ReplacesInPlaceAndKeepsEveryOtherByte)
{
    const std::string before = "; head\r\n[S]\r\nkey = old value \r\nnext=1\r\n\r\n[T]\nK=2\n";
    EXPECT_EQ(AfterWrite(before, "s", "KEY", "new"),
              "; head\r\n[S]\r\nkey = new\r\nnext=1\r\n\r\n[T]\nK=2\n");
}

TEST_F(IniFileTest, NewKeyFollowsTheSectionsLastKeyLine)
{
    EXPECT_EQ(AfterWrite("[S]\nA=1\n\n; about T\n[T]\nB=2\n", "S", "C", "3"),
              "[S]\nA=1\nC=3\n\n; about T\n[T]\nB=2\n");
    EXPECT_EQ(AfterWrite("[S]\r\n\r\n[T]\r\n", "S", "C", "3"), "[S]\r\nC=3\r\n\r\n[T]\r\n");
    EXPECT_EQ(AfterWrite("[S]\nA=1", "S", "B", "2"), "[S]\nA=1\nB=2\n");
    EXPECT_EQ(AfterWrite("[S]", "S", "B", "2"), "[S]\nB=2\n");
}

TEST_F(IniFileTest, ValuesThatReadsWouldAlterAreQuotedAndReadBackExactly)
{
    for (const std::string value : {" padded ", "\"in quotes\"", "plain", "", "a;b;c"}) {
        ASSERT_TRUE(WriteIniString(m_path, "S", "V", value));
        EXPECT_EQ(Read("S", "V"), value);
    }
    EXPECT_EQ(Contents(), "[S]\nV=a;b;c\n");
}

TEST_F(IniFileTest, RefusesNamesAndValuesThatWouldCorruptTheFile)
{
    Put("[S]\nA=1\n");
    EXPECT_FALSE(WriteIniString(m_path, "S", "A", "1\n[Evil]\nB=2"));
    EXPECT_FALSE(WriteIniString(m_path, "S", "A=B", "1"));
    EXPECT_FALSE(WriteIniString(m_path, "S", " ", "1"));
    EXPECT_FALSE(WriteIniString(m_path, "S]", "A", "1"));
    EXPECT_FALSE(WriteIniString(m_path, "S", "[A", "1"));
    EXPECT_EQ(Contents(), "[S]\nA=1\n");
}

TEST_F(IniFileTest, DocumentBatchesManyEditsIntoOneSave)
{
    Put("[Other]\nX=1\n");
    IniDocument document = IniDocument::Load(m_path);
    for (int i = 0; i < 5; ++i) {
        document.Write("Param", "k" + std::to_string(i), std::to_string(i * i));
    }
    EXPECT_EQ(document.Read("param", "K4", ""), "16");
    EXPECT_EQ(Contents(), "[Other]\nX=1\n") << "nothing reaches the file before Save";
    ASSERT_TRUE(document.Save(m_path));
    EXPECT_EQ(Contents(), "[Other]\nX=1\n[Param]\nk0=0\nk1=1\nk2=4\nk3=9\nk4=16\n");
}

TEST_F(IniFileTest, SaveKeepsPermissionsFollowsLinksAndLeavesNoTemporaryFiles)
{
    Put("[S]\nA=1\n");
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    const std::string link = m_folder.File("link.ini");
    fs::create_symlink(m_path, link);
    ASSERT_TRUE(WriteIniString(link, "S", "A", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(), "[S]\nA=2\n");
    struct stat status {};
    ASSERT_EQ(::stat(m_path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 2);
}

TEST_F(IniFileTest, UnreadableOrUnwritableTargetsFailAndStayAsTheyWere)
{
    fs::create_directory(m_path);
    EXPECT_EQ(Read("S", "A"), "<none>");
    EXPECT_FALSE(WriteIniString(m_path, "S", "A", "1"));
    EXPECT_TRUE(fs::is_directory(m_path));
    fs::remove(m_path);

    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    EXPECT_EQ(Read("S", "A"), "<none>") << "a FIFO is neither read nor waited on";
    EXPECT_FALSE(IniDocument::Load(m_path).Save(m_path));
    EXPECT_TRUE(fs::is_fifo(m_path));

    EXPECT_FALSE(WriteIniString(m_folder.File("no/such/folder.ini"), "S", "A", "1"));
}

} // namespace
