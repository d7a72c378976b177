#include "platform/ui_language.h"
#include "resources/message_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// The UI language is process-wide; every test leaves it as it found it.
class MessageTableTest : public ::testing::Test {
protected:
    void TearDown() override { SetUiLanguage(m_saved_language); }

private:
    uint16_t m_saved_language = GetUiLanguage();
};

bool IsAscii(std::string_view text)
{
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

TEST_F(MessageTableTest, HoldsExactlyTheHundredIdsBetween131And261)
{
    const auto table = MessageTable();
    ASSERT_EQ(table.size(), 100u);
    std::set<int> ids;
    for (const MessageText& message : table) {
        ids.insert(message.id);
    }
    EXPECT_EQ(ids.size(), 100u) << "ids must be unique";
    EXPECT_EQ(*ids.begin(), 131);
    EXPECT_EQ(*ids.rbegin(), 261);
    for (int gap : {138, 154, 200, 203, 204, 208, 212, 221, 225, 233, 243, 245, 250, 255, 257}) {
        EXPECT_FALSE(ids.contains(gap)) << gap;
    }
}

TEST_F(MessageTableTest, EveryIdHasAnEnglishAndADistinctChineseText)
{
    for (const MessageText& message : MessageTable()) {
        EXPECT_FALSE(message.english.empty()) << message.id;
        EXPECT_TRUE(IsAscii(message.english)) << message.id;
        EXPECT_FALSE(IsAscii(message.chinese)) << message.id << " looks untranslated";
    }
}

TEST_F(MessageTableTest, TextsMatchCharacterForCharacterInBothLanguages)
{
    struct Sample {
        int id;
        const char* english;
        const char* chinese;
    };
    const Sample samples[] = {
        {131, "Serial Port Open Failed", "串口打开失败"},
        {143, "Entering Firmware Upgrade Mode ...", "正在进入升级模式..."},
        {162, "Sending Camera Foucs Command ...", "正在发送对焦指令..."},
        {198, "Start Debug", "开始调试"},
        {201, "Calibrate Motor Zero ?", "确定要校准电机零点?"},
        {222, "Pitch 90 Deg -> Roll Gain Comp", "俯仰90度时滚转增益补偿"},
        {237, "Camera AUX1 Command Send Successful", "AUX1指令发送成功"},
        {258, "Gyroscope Calibration Reset ?", "确定要重置陀螺仪校准?"},
        {261, "Gyro Calibration Reset Failed", "重置陀螺仪校准失败"},
    };
    for (const Sample& sample : samples) {
        EXPECT_EQ(LoadMessage(sample.id, kLanguageEnglish), sample.english);
        EXPECT_EQ(LoadMessage(sample.id, kLanguageChinese), sample.chinese);
    }
}

TEST_F(MessageTableTest, SharedTextsStaySeparateIds)
{
    for (auto [first, second] : {std::pair{163, 252}, {178, 253}, {179, 254}, {209, 256}}) {
        for (uint16_t language : {kLanguageEnglish, kLanguageChinese}) {
            EXPECT_EQ(LoadMessage(first, language), LoadMessage(second, language));
            EXPECT_FALSE(LoadMessage(first, language).empty());
        }
    }
}

TEST_F(MessageTableTest, UnlistedIdsGiveEmptyText)
{
    for (int id : {-1, 0, 130, 138, 200, 262, 65536 + 131}) {
        EXPECT_EQ(LoadMessage(id, kLanguageEnglish), "") << id;
        EXPECT_EQ(LoadMessage(id, kLanguageChinese), "") << id;
    }
}

TEST_F(MessageTableTest, CurrentLanguageChoosesTheText)
{
    EXPECT_EQ(GetUiLanguage(), kLanguageEnglish) << "the process starts in English";
    EXPECT_EQ(LoadMessage(133), "Gimbal Idle");
    SetUiLanguage(kLanguageChinese);
    EXPECT_EQ(LoadMessage(133), "云台空闲");
    SetUiLanguage(kLanguageEnglish);
    EXPECT_EQ(LoadMessage(133), "Gimbal Idle");
    // Only Chinese is special; any other language reads the English texts.
    SetUiLanguage(9);
    EXPECT_EQ(LoadMessage(134), "Gimbal Running");
}

} // namespace
