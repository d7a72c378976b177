#include "json_value.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonValue, ObjectsKeepTheirOrderAndNest)
{
    JsonValue object = JsonValue::MakeObject();
    JsonValue list = JsonValue::Array{};
    list.Push(1);
    list.Push("two");
    list.Push(JsonValue());
    object.Add("z", true).Add("a", list).Add("m", JsonValue::MakeObject());
    EXPECT_EQ(object.Serialise(), R"({"z":true,"a":[1,"two",null],"m":{}})");
}

TEST(JsonValue, RealsKeepFifteenSignificantDigits)
{
    EXPECT_EQ(JsonValue(358.56).Serialise(), "358.56");
    EXPECT_EQ(JsonValue(14795 * 0.01).Serialise(), "147.95") << "scaled wire values print as sent";
    EXPECT_EQ(JsonValue(2147483.647).Serialise(), "2147483.647");
    EXPECT_EQ(JsonValue(-2.0).Serialise(), "-2");
    EXPECT_EQ(JsonValue(1.0 / 0.0).Serialise(), "null");
}

TEST(JsonValue, StringsAreEscaped)
{
    EXPECT_EQ(JsonQuote("a\"b\\c\r\n\t\x01"), R"("a\"b\\c\r\n\t\u0001")");
    EXPECT_EQ(JsonQuote("\xE5\x8F\x82"), "\"\xE5\x8F\x82\""); // UTF-8 kept as is
}

} // namespace
