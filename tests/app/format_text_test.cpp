#include "app/format_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(FormatText, FormatsLikePrintf)
{
    EXPECT_EQ(FormatText("%.2f", 358.56), "358.56");
    EXPECT_EQ(FormatText("%+.0f", 0.0), "+0");
    EXPECT_EQ(FormatText("C[%02X]", 0x0A), "C[0A]");
    EXPECT_EQ(FormatText("%s", ""), "");
}

TEST(FormatText, HandlesTextsLongerThanAnyFixedBuffer)
{
    const std::string long_text(5000, 'x');
    EXPECT_EQ(FormatText("%s!", long_text.c_str()), long_text + "!");
    EXPECT_EQ(FormatText("%.1f", 1e300).size(), 303u);
}

TEST(FormatText, KeepsTheFullStopUnderALocaleWithDecimalComma)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no German locale installed";
    }
    const std::string text = FormatText("%.2f", -10.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(text, "-10.50");
}

} // namespace
