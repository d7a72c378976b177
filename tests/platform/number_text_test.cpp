#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(NumberText, IntegersParseLikeAtoiAndSaturate)
{
    EXPECT_EQ(ParseIntLikeAtoi(" \t\n-42xyz"), -42);
    EXPECT_EQ(ParseIntLikeAtoi("+7"), 7);
    EXPECT_EQ(ParseIntLikeAtoi("12abc"), 12);
    EXPECT_EQ(ParseIntLikeAtoi("abc"), 0);
    EXPECT_EQ(ParseIntLikeAtoi(""), 0);
    EXPECT_EQ(ParseIntLikeAtoi("- 5"), 0);
    EXPECT_EQ(ParseIntLikeAtoi("1.9"), 1);
    EXPECT_EQ(ParseIntLikeAtoi("2147483647"), 2147483647);
    EXPECT_EQ(ParseIntLikeAtoi("2147483648"), 2147483647);
    EXPECT_EQ(ParseIntLikeAtoi("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseIntLikeAtoi("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseIntLikeAtoi(std::string(100000, '9')), 2147483647);
}

TEST(NumberText, RealsParseTheLongestNumberPrefix)
{
    EXPECT_EQ(ParseDoubleLikeAtof("12abc"), 12.0);
    EXPECT_EQ(ParseDoubleLikeAtof("abc"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("  -2.5e3x"), -2500.0);
    EXPECT_EQ(ParseDoubleLikeAtof(".5"), 0.5);
    EXPECT_EQ(ParseDoubleLikeAtof("1e"), 1.0);
    EXPECT_EQ(ParseDoubleLikeAtof("1,5"), 1.0);
    EXPECT_EQ(ParseDoubleLikeAtof("--5"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("+-5"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("0.1"), 0.1) << "correctly rounded";
    EXPECT_EQ(ParseDoubleLikeAtof("0x1A"), 26.0);
    EXPECT_EQ(ParseDoubleLikeAtof("-0X1.8p3z"), -12.0);
    EXPECT_EQ(ParseDoubleLikeAtof("0x"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("0xg"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("0x-5"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("0xinf"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("0x.8"), 0.5);
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ParseDoubleLikeAtof("1e999"), kInfinity);
    EXPECT_EQ(ParseDoubleLikeAtof("-0.001e312"), -kInfinity);
    EXPECT_EQ(ParseDoubleLikeAtof("0x1p2000"), kInfinity);
    EXPECT_EQ(ParseDoubleLikeAtof(std::string(400, '9')), kInfinity);
    EXPECT_EQ(ParseDoubleLikeAtof("1e-999"), 0.0);
    EXPECT_EQ(ParseDoubleLikeAtof("1000e-313"), 1e-310) << "a subnormal number is kept";
    EXPECT_TRUE(std::signbit(ParseDoubleLikeAtof("-1e-999")));
    EXPECT_EQ(ParseDoubleLikeAtof("INFINITY"), kInfinity);
    EXPECT_EQ(ParseDoubleLikeAtof("-infx"), -kInfinity);
    EXPECT_TRUE(std::isnan(ParseDoubleLikeAtof("nan")));
    EXPECT_TRUE(std::isnan(ParseDoubleLikeAtof("NaN(12)")));
    EXPECT_EQ(ParseDoubleLikeAtof(std::string("3\0"
                                              "9",
                                              3)),
              3.0);
}

TEST(NumberText, HexParsesLikeWcstoulOn32Bits)
{
    EXPECT_EQ(ParseHexLikeWcstoul("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexLikeWcstoul("0xffffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexLikeWcstoul(" 0X0000a05f!"), 0xA05Fu);
    EXPECT_EQ(ParseHexLikeWcstoul("100000000"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexLikeWcstoul("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexLikeWcstoul("-0x10"), 0xFFFFFFF0u);
    EXPECT_EQ(ParseHexLikeWcstoul("0x"), 0u);
    EXPECT_EQ(ParseHexLikeWcstoul("0xg1"), 0u);
    EXPECT_EQ(ParseHexLikeWcstoul("zz"), 0u);
}

TEST(NumberText, FormatsMatchPrintf)
{
    for (const double value : {0.0, 5.0, 0.05, 1234567.0, -2.5, 123456.0, 1e-5, 25.5, 1e300, -0.0}) {
        char expected[512];
        std::snprintf(expected, sizeof expected, "%g", value);
        EXPECT_EQ(FormatG(value), expected);
        std::snprintf(expected, sizeof expected, "%.1f", value);
        EXPECT_EQ(FormatFixed1(value), expected);
    }
    EXPECT_EQ(FormatG(1234567.0), "1.23457e+06");
    EXPECT_EQ(FormatFixed1(2.0), "2.0");
    EXPECT_EQ(FormatHex32(41055), "0x0000A05F");
    EXPECT_EQ(FormatHex32(0xFFFFFFFFu), "0xFFFFFFFF");
    EXPECT_EQ(FormatInt(-2147483647 - 1), "-2147483648");
}

TEST(NumberText, FullStopWhateverTheLocale)
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    const std::string german_fixed = [] {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", 2.5);
        return std::string(text);
    }();
    EXPECT_EQ(FormatFixed1(2.5), "2.5");
    EXPECT_EQ(FormatG(0.05), "0.05");
    EXPECT_EQ(ParseDoubleLikeAtof("2.75"), 2.75);
    EXPECT_EQ(ParseDoubleLikeAtof("2,75"), 2.0);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(german_fixed, "2,5") << "the locale did not change printf, so this test proves nothing";
}

} // namespace
