#include "params/edit_acceptance.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kLowest = std::numeric_limits<double>::lowest();
constexpr double kHighest = std::numeric_limits<double>::max();

struct Case {
    const wchar_t* text;
    bool accepted;
};

void ExpectAll(EditKind kind, double min, double max, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        EXPECT_EQ(IsAcceptable(kind, min, max, c.text), c.accepted)
            << "text \"" << std::string(c.text, c.text + std::wcslen(c.text)) << "\" in " << min << ".."
            << max;
    }
}

TEST(EditAcceptance, IntegerNeedsDigitsWithOptionalLeadingMinusWithinRange)
{
    ExpectAll(EditKind::Integer, 0, 90,
              {{L"9", true},
               {L"95", false},
               {L"90", true},
               {L"0", true},
               {L"-", true},
               {L"-5", false},
               {L"", true},
               {L"007", true},
               {L"-0", true},
               {L"+5", false},
               {L"5-", false},
               {L"1.0", false},
               {L" 5", false},
               {L"5 ", false},
               {L"１", false}});
    ExpectAll(EditKind::Integer, 1, 255,
              {{L"", false}, {L"-", false}, {L"7", true}, {L"255", true}, {L"256", false}});
    ExpectAll(EditKind::Integer, -100, -1, {{L"-1", true}, {L"-100", true}, {L"-101", false}, {L"-", false}});
}

TEST(EditAcceptance, DecimalAllowsBareFractionsAndTrailingPointOnly)
{
    const std::vector<Case> form = {{L".", false},    {L"+5", false}, {L"1e3", false}, {L"1,5", false},
                                    {L"5..1", false}, {L"-.", false}, {L"--1", false}, {L"1.2.3", false}};
    ExpectAll(EditKind::Decimal, kLowest, kHighest, form);
    ExpectAll(EditKind::Decimal, -1, 10,
              {{L".5", true},
               {L"5.", true},
               {L"-0.25", true},
               {L"", true},
               {L"-", true},
               {L"10.0", true},
               {L"10.0001", false},
               {L"-1.5", false},
               {L"-.5", true}});
    ExpectAll(EditKind::Decimal, 1, 10, {{L"", false}, {L".5", false}, {L"1.", true}});
}

TEST(EditAcceptance, HexTakesUpToEightDigitsOfEitherCase)
{
    ExpectAll(EditKind::Hex, 0, 4294967295.0,
              {{L"FFFFFFFF", true},
               {L"ffffffff", true},
               {L"FFFFFFFF0", false},
               {L"000000000", false},
               {L"0x10", false},
               {L"", true},
               {L"aB09", true},
               {L"-1", false},
               {L"G", false}});
    ExpectAll(EditKind::Hex, 0, 255, {{L"FF", true}, {L"100", false}, {L"0FF", true}});
}

TEST(EditAcceptance, NoneAndUnknownKindsAcceptAnything)
{
    for (const EditKind kind : {EditKind::None, static_cast<EditKind>(7), static_cast<EditKind>(-1)}) {
        ExpectAll(kind, 0, 1, {{L"anything", true}, {L"1e3", true}, {L"", true}, {L"滚转", true}});
    }
}

TEST(EditAcceptance, RangeLimitsAreInclusiveAndNanRangesRefuse)
{
    ExpectAll(EditKind::Decimal, 0.5, 0.5, {{L"0.5", true}, {L".50", true}, {L"0.51", false}});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ExpectAll(EditKind::Integer, nan, 10, {{L"1", false}});
}

TEST(EditAcceptance, HugeAndTinyNumbersCompareAsTheCLibraryReadsThem)
{
    const std::wstring huge = L"1" + std::wstring(400, L'0');
    const std::wstring tiny = L"0." + std::wstring(400, L'0') + L"1";
    EXPECT_FALSE(IsAcceptable(EditKind::Integer, kLowest, kHighest, huge));
    EXPECT_FALSE(IsAcceptable(EditKind::Integer, kLowest, kHighest, L"-" + huge));
    EXPECT_TRUE(IsAcceptable(EditKind::Decimal, 0, 0, tiny));
    EXPECT_EQ(LeadingDecimalValue(L"1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingDecimalValue(L"-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingDecimalValue(L"1e-999"), 0.0);
}

TEST(EditAcceptance, LeadingValueReadsTheLongestNumericPrefix)
{
    EXPECT_EQ(LeadingDecimalValue(L""), 0.0);
    EXPECT_EQ(LeadingDecimalValue(L"-"), 0.0);
    EXPECT_EQ(LeadingDecimalValue(L"abc"), 0.0);
    EXPECT_EQ(LeadingDecimalValue(L"12abc"), 12.0);
    EXPECT_EQ(LeadingDecimalValue(L"  +2.5x"), 2.5);
    EXPECT_EQ(LeadingDecimalValue(L"5."), 5.0);
    EXPECT_EQ(LeadingDecimalValue(L".25"), 0.25);
    EXPECT_EQ(LeadingDecimalValue(L"1e3"), 1000.0);
    EXPECT_EQ(LeadingDecimalValue(L"3.5滚"), 3.5);
}

TEST(EditAcceptance, DecimalPointIsAFullStopWhateverTheCLocale)
{
    // A comma-decimal locale must not change how "0.5" reads.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    }
    EXPECT_EQ(LeadingDecimalValue(L"0.5"), 0.5);
    EXPECT_TRUE(IsAcceptable(EditKind::Decimal, 0.4, 0.6, L"0.5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
