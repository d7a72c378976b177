#include "app/startup.h"
#include "platform/ui_language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards; the UI language is restored.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir =
            fs::temp_directory_path() / ("orvane-startup-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_settings = (m_dir / "Setting.ini").string();
    }
    void TearDown() override
    {
        SetUiLanguage(m_saved_language);
        fs::remove_all(m_dir);
    }

    void WriteSettings(const std::string& text) const { std::ofstream(m_settings) << text; }
    std::string Language() const { return ReadProfileText("Setting", "LAN", "<missing>", m_settings); }

    fs::path m_dir;
    std::string m_settings;

private:
    uint16_t m_saved_language = GetUiLanguage();
};

TEST(AppTitle, IsTheFileNameWithoutItsLastExtension)
{
    EXPECT_EQ(AppTitleFromExecutable("/opt/orvane/Orvane.exe"), "Orvane");
    EXPECT_EQ(AppTitleFromExecutable("Orvane.exe"), "Orvane");
    EXPECT_EQ(AppTitleFromExecutable("/opt/Orvane.v2.bin"), "Orvane.v2");
    EXPECT_EQ(AppTitleFromExecutable("/opt/Orvane."), "Orvane");
}

TEST(AppTitle, IsTheWholeFileNameWithoutADot)
{
    EXPECT_EQ(AppTitleFromExecutable("/usr/bin/orvane"), "orvane");
    EXPECT_EQ(AppTitleFromExecutable("/opt/orvane.d/orvane"), "orvane") << "a dot in a folder does not count";
    EXPECT_EQ(AppTitleFromExecutable("/opt/.orvane"), "");
    EXPECT_EQ(AppTitleFromExecutable("/opt/"), "");
    EXPECT_EQ(AppTitleFromExecutable(""), "");
}

TEST(LanguageSetting, OnlyExactCnMeansChinese)
{
    EXPECT_EQ(LanguageFromSetting("CN"), kLanguageChinese);
    for (const char* other : {"cn", "Cn", "EN", "", "CN1", "CHINESE"}) {
        EXPECT_EQ(LanguageFromSetting(other), kLanguageEnglish) << other;
    }
}

TEST(LanguageSetting, SelectionValues)
{
    EXPECT_EQ(LanguageValueForSelection(kLanguageItemChinese), "CN");
    EXPECT_EQ(LanguageValueForSelection(kLanguageItemEnglish), "EN");
    EXPECT_EQ(LanguageValueForSelection(-1), "CN") << "no selection";
}

TEST_F(StartupTest, MissingSettingsFileStartsInChineseAndCreatesTheKey)
{
    SetUiLanguage(kLanguageEnglish);
    EXPECT_EQ(ApplyLanguageSetting(m_settings), kLanguageChinese);
    EXPECT_EQ(GetUiLanguage(), kLanguageChinese);
    EXPECT_EQ(Language(), "CN");
}

TEST_F(StartupTest, OtherValuesGiveEnglishAndAreWrittenBackUnchanged)
{
    for (const char* value : {"cn", "EN", "Deutsch", ""}) {
        WriteSettings(std::string("[Setting]\nLAN=") + value + "\nCOMNUM=3\n");
        SetUiLanguage(kLanguageChinese);
        EXPECT_EQ(ApplyLanguageSetting(m_settings), kLanguageEnglish) << value;
        EXPECT_EQ(GetUiLanguage(), kLanguageEnglish) << value;
        EXPECT_EQ(Language(), value);
        EXPECT_EQ(ReadProfileText("Setting", "COMNUM", "", m_settings), "3") << "other keys are kept";
    }
}

TEST_F(StartupTest, UnwritableSettingsFileStillChoosesTheLanguage)
{
    const std::string unreachable = (m_dir / "no-such-folder" / "Setting.ini").string();
    EXPECT_EQ(ApplyLanguageSetting(unreachable), kLanguageChinese);
    EXPECT_FALSE(fs::exists(unreachable));
    EXPECT_FALSE(WriteProfileText("Setting", "LAN", "EN", unreachable));
}

TEST_F(StartupTest, LanguageSelectionTakesEffectOnTheNextStart)
{
    SaveLanguageSelection(kLanguageItemEnglish, m_settings);
    EXPECT_EQ(Language(), "EN");
    EXPECT_EQ(ApplyLanguageSetting(m_settings), kLanguageEnglish);

    SaveLanguageSelection(kLanguageItemChinese, m_settings);
    EXPECT_EQ(Language(), "CN");
    EXPECT_EQ(ApplyLanguageSetting(m_settings), kLanguageChinese);
}

TEST_F(StartupTest, PrepareStartupUsesTheGivenWorkingFolder)
{
    WriteSettings("[Setting]\nLAN=EN\n");
    const StartupInfo info = PrepareStartup(m_dir.string(), "/opt/orvane/Orvane.exe");
    EXPECT_EQ(info.settings_path, m_settings);
    EXPECT_EQ(info.app_title, "Orvane");
    EXPECT_EQ(info.language, kLanguageEnglish);
    EXPECT_EQ(GetUiLanguage(), kLanguageEnglish);
}

TEST_F(StartupTest, ReadProfileTextFallsBackOnlyWhenTheKeyIsMissing)
{
    WriteSettings("[Setting]\nCOMNUM=7\nSENDPRD=\n");
    EXPECT_EQ(ReadProfileText("Setting", "COMNUM", "1", m_settings), "7");
    EXPECT_EQ(ReadProfileText("Setting", "SENDPRD", "10", m_settings), "");
    EXPECT_EQ(ReadProfileText("Setting", "AUTOSTOP", "0", m_settings), "0");
    EXPECT_EQ(ReadProfileText("Other", "COMNUM", "1", m_settings), "1");
    EXPECT_EQ(ReadProfileText("Setting", "COMNUM", "1", (m_dir / "absent.ini").string()), "1");
}

TEST(ProcessPaths, NameTheRunningProcess)
{
    EXPECT_EQ(CurrentDirectory(), fs::current_path().string());
    EXPECT_EQ(fs::path(ExecutablePath()).stem(), "test_app"); // "test_app.exe" on Windows
}

TEST_F(StartupTest, LaunchProgramReportsAMissingExecutable)
{
    EXPECT_FALSE(LaunchProgram(""));
    EXPECT_FALSE(LaunchProgram((m_dir / "no-such-program").string()));
}

} // namespace
