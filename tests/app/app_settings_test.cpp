#include "app/app_settings.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class AppSettingsTest : public ::testing::Test {
protected:
    void Put(const std::string& bytes) const { WriteWholeFile(m_path, bytes); }
    std::string Contents() const { return ReadWholeFile(m_path); }

    ScratchFolder m_folder{"settings"};
    std::string m_path = m_folder.File("Setting.ini");
};

TEST_F(AppSettingsTest, EmptyFileGivesDefaultsAndExitWritesAllEightKeys)
{
    Put("[Setting]\nLAN=CN\n");
    const AppSettings settings = LoadAppSettingsFrom(m_path);
    EXPECT_EQ(settings.m_port_index, 0);
    EXPECT_EQ(settings.m_send_period, 10);
    EXPECT_EQ(settings.m_baud_rate, 115200);
    EXPECT_EQ(settings.m_autostop, 0);
    EXPECT_EQ(settings.m_product_type_list, "");
    EXPECT_EQ(settings.m_ranger_type_list, "");
    ASSERT_TRUE(SaveAppSettingsTo(m_path, settings, 0));
    EXPECT_EQ(Contents(), "[Setting]\nLAN=CN\nCOMNUM=0\nSENDPRD=10\nCOMBAUND=115200\nAUTOSTOP=0\n"
                          "PRODUCTTYPE=\nGIMBALTYPE=\nCAMERATYPE=\nRANGERTYPE=\n");
}

TEST_F(AppSettingsTest, MissingOrUnreadableFileGivesDefaults)
{
    EXPECT_EQ(LoadAppSettingsFrom(m_path).m_baud_rate, 115200);
    fs::create_directory(m_path);
    EXPECT_EQ(LoadAppSettingsFrom(m_path).m_send_period, 10);
    EXPECT_FALSE(SaveAppSettingsTo(m_path, AppSettings{}, 0));
    EXPECT_TRUE(fs::is_directory(m_path));
}

TEST_F(AppSettingsTest, NumbersParseLikeAtoi)
{
    Put("[setting]\ncomnum=2\nSENDPRD=12ms\nCOMBAUND=fast\nAUTOSTOP=-99999999999\n");
    const AppSettings settings = LoadAppSettingsFrom(m_path);
    EXPECT_EQ(settings.m_port_index, 2);
    EXPECT_EQ(settings.m_send_period, 12);
    EXPECT_EQ(settings.m_baud_rate, 0);
    EXPECT_EQ(settings.m_autostop, -2147483647 - 1);
}

TEST_F(AppSettingsTest, SaveUsesTheSelectionAndKeepsOtherKeysInPlace)
{
    Put("[Setting]\r\nLAN=EN\r\nCOMBAUND=9600\r\nMYKEY=mine\r\n[Other]\r\nA=1\r\n");
    AppSettings settings = LoadAppSettingsFrom(m_path);
    settings.m_port_index = 5;
    ASSERT_TRUE(SaveAppSettingsTo(m_path, settings, -1));
    EXPECT_EQ(Contents(), "[Setting]\r\nLAN=EN\r\nCOMBAUND=9600\r\nMYKEY=mine\r\nCOMNUM=-1\r\nSENDPRD=10\r\n"
                          "AUTOSTOP=0\r\nPRODUCTTYPE=\r\nGIMBALTYPE=\r\nCAMERATYPE=\r\nRANGERTYPE=\r\n"
                          "[Other]\r\nA=1\r\n");
    EXPECT_EQ(LoadAppSettingsFrom(m_path).m_port_index, -1);
}

TEST_F(AppSettingsTest, AValueTheFileCannotHoldSavesNothing)
{
    // A lone carriage return inside a line, left by a hand edit, reads back
    // as part of the value but cannot be written.
    const std::string before = "[Setting]\nLAN=EN\nCOMNUM=1\nSENDPRD=20\nRANGERTYPE=A;\rB\n";
    Put(before);
    AppSettings settings = LoadAppSettingsFrom(m_path);
    ASSERT_EQ(settings.m_ranger_type_list, "A;\rB");
    // The last key cannot be stored; the keys before it must not be either.
    EXPECT_FALSE(SaveAppSettingsTo(m_path, settings, 3));
    EXPECT_EQ(Contents(), before);

    settings.m_ranger_type_list = "A;B\nSENDPRD=1";
    EXPECT_FALSE(SaveAppSettingsTo(m_path, settings, 3));
    EXPECT_EQ(Contents(), before);
}

TEST_F(AppSettingsTest, ListsAreKeptAsReadAndCutAt1023Characters)
{
    const std::string chinese_item = "[001]\xE4\xBA\x91\xE5\x8F\xB0"; // "[001]" and two CJK characters
    std::string long_list;
    while (long_list.size() < 4000) {
        long_list += chinese_item + ";";
    }
    Put("[Setting]\nPRODUCTTYPE=;[001]A;;[002]B;\nGIMBALTYPE=" + long_list + "\n");
    const AppSettings settings = LoadAppSettingsFrom(m_path);
    EXPECT_EQ(settings.m_product_type_list, ";[001]A;;[002]B;");
    ASSERT_TRUE(SaveAppSettingsTo(m_path, settings, 0));
    const AppSettings again = LoadAppSettingsFrom(m_path);
    EXPECT_EQ(again.m_product_type_list, ";[001]A;;[002]B;");
    EXPECT_EQ(again.m_gimbal_type_list, settings.m_gimbal_type_list);
    const auto characters =
        std::count_if(again.m_gimbal_type_list.begin(), again.m_gimbal_type_list.end(),
                      [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    EXPECT_EQ(characters, 1023);
    EXPECT_EQ(again.m_gimbal_type_list, long_list.substr(0, again.m_gimbal_type_list.size()));
}

TEST(SplitTypeList, DropsEmptyPiecesAndKeepsOrder)
{
    EXPECT_EQ(SplitTypeList(";[001]A;;[002]B;"), (std::vector<std::string>{"[001]A", "[002]B"}));
    EXPECT_EQ(SplitTypeList("Z;A; "), (std::vector<std::string>{"Z", "A", " "}));
    EXPECT_TRUE(SplitTypeList("").empty());
    EXPECT_TRUE(SplitTypeList(";;;").empty());
}

} // namespace
