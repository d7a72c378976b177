#include "params/param_fields.h"
#include "params/param_file.h"
#include "protocol/crc16.h"

#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <type_traits>
#include <utility>
#include <variant>

namespace {

namespace fs = std::filesystem;

// A calibration block that passes the loader's checksum.
void FillValidBlock(GimbalParams& params, uint8_t seed)
{
    for (size_t i = 0; i < 134; ++i) {
        params.m_mtr_cal_par[i] = static_cast<uint8_t>(seed + i * 7);
    }
    const uint16_t crc = crc16(params.m_mtr_cal_par, 134, 0xABCD);
    params.m_mtr_cal_par[134] = static_cast<uint8_t>(crc >> 8);
    params.m_mtr_cal_par[135] = static_cast<uint8_t>(crc & 0xFF);
}

bool BlockIsZero(const GimbalParams& params)
{
    const uint8_t zero[136] = {};
    return std::memcmp(params.m_mtr_cal_par, zero, sizeof zero) == 0;
}

const ParamField& Field(std::string_view key)
{
    const ParamField* field = FindParamField(key);
    EXPECT_NE(field, nullptr) << key;
    return *field;
}

// A record with every byte set, so that a load must replace each field.
GimbalParams Scribbled()
{
    GimbalParams params;
    std::memset(&params, 0x5A, sizeof params);
    return params;
}

class ParamFileTest : public ::testing::Test {
protected:
    void Put(const std::string& bytes) const { WriteWholeFile(m_path, bytes); }
    std::string Contents() const { return ReadWholeFile(m_path); }
    GimbalParams LoadFrom(const std::string& text) const
    {
        Put(text);
        GimbalParams params = Scribbled();
        LoadParamFile(m_path, params);
        return params;
    }

    ScratchFolder m_folder{"param"};
    std::string m_path = m_folder.File("tuned.rkdp");
};

// The bytes of the record a field occupies: offset and size.
std::pair<size_t, size_t> BytesOf(const ParamField& field)
{
    static const GimbalParams probe{};
    const auto offset = [](const void* member) {
        return static_cast<size_t>(static_cast<const uint8_t*>(member) -
                                   reinterpret_cast<const uint8_t*>(&probe));
    };
    return std::visit(
        [&](const auto& slot) -> std::pair<size_t, size_t> {
            using Slot = std::decay_t<decltype(slot)>;
            if constexpr (std::is_same_v<Slot, ChannelMapEntry>) {
                return {offset(&probe.m_chan_map[slot.index]), sizeof(int32_t)};
            } else if constexpr (std::is_same_v<Slot, CalibrationBlockSlot>) {
                return {offset(probe.m_mtr_cal_par), sizeof probe.m_mtr_cal_par};
            } else {
                return {offset(&(probe.*slot)), sizeof(probe.*slot)};
            }
        },
        field.slot);
}

TEST(ParamFieldTable, NinetyEightUniqueKeysCoveringEveryByteOfTheRecordOnce)
{
    const auto& table = ParamFieldTable();
    ASSERT_EQ(table.size(), 98u);
    std::set<std::string> keys;
    std::vector<int> owners(sizeof(GimbalParams), 0);
    for (const ParamField& field : table) {
        EXPECT_TRUE(keys.insert(field.key).second) << field.key;
        const auto [offset, size] = BytesOf(field);
        for (size_t i = offset; i < offset + size; ++i) {
            ++owners[i];
        }
    }
    for (size_t i = 0; i < owners.size(); ++i) {
        EXPECT_EQ(owners[i], 1) << "byte " << i;
    }
    EXPECT_EQ(table.front().key, "m_product_type");
    EXPECT_EQ(table[6].key, "m_sensor_x_index");
    EXPECT_EQ(table[9].key, "m_sensor_x_sign");
    EXPECT_EQ(table[73].key, "m_camera_opts");
    EXPECT_EQ(table[92].key, "m_chan_map_0");
    EXPECT_EQ(table[97].key, "m_mtr_cal_par");
    EXPECT_EQ(FindParamField("M_ROLL_PID_KP"), &Field("m_roll_pid_kp"));
    EXPECT_EQ(FindParamField("m_unknown"), nullptr);
}

TEST_F(ParamFileTest, FreshRecordSavesNinetyEightKeysInTableOrder)
{
    ASSERT_TRUE(SaveParamFile(m_path, GimbalParams{}));
    std::string expected = "[Param]\n";
    for (const ParamField& field : ParamFieldTable()) {
        std::string value = "0";
        if (field.format == ParamFormat::RealOneDecimal) {
            value = "0.0";
        } else if (field.format == ParamFormat::Hex) {
            value = "0x00000000";
        } else if (field.format == ParamFormat::CalibrationBlock) {
            value = std::string(272, '0');
        }
        expected += field.key + "=" + value + "\n";
    }
    EXPECT_EQ(Contents(), expected);

    GimbalParams loaded = Scribbled();
    LoadParamFile(m_path, loaded);
    EXPECT_TRUE(BlockIsZero(loaded)) << "a zero block fails the checksum started from 0xABCD";
    EXPECT_EQ(loaded.m_sensor_z_index, 0) << "present keys do not take the defaults";
}

TEST_F(ParamFileTest, EdgeValuesOfEveryTypeSurviveASaveAndLoad)
{
    GimbalParams saved{};
    FillValidBlock(saved, 0xF0);
    saved.m_product_type = std::numeric_limits<int32_t>::min();
    saved.m_gimbal_type = std::numeric_limits<int32_t>::max();
    saved.m_camera_opts = 0xFFFFFFFFu;
    saved.m_chan_map[0] = -1;
    saved.m_chan_map[4] = 16;
    saved.m_sensor_y_sign = -128;
    saved.m_angle_min_0 = -32768;
    saved.m_angle_max_2 = 32767;
    saved.m_notch_min_freq = 65535;
    saved.m_roll_pid_kp = 255;
    saved.m_pitch_pid_ki = 0.05;
    saved.m_heading_pid_kd = -123456;
    saved.m_max_rate_scale = 25.5;
    saved.m_flow_dead_gain = -0.5;
    saved.m_roll_pidtgain_ratio = 10.0;
    saved.m_stuck_power = 1e-300;
    saved.m_gimbal_alpha = 1.5e300;
    ASSERT_TRUE(SaveParamFile(m_path, saved));

    GimbalParams loaded = Scribbled();
    LoadParamFile(m_path, loaded);
    EXPECT_EQ(std::memcmp(&saved, &loaded, sizeof saved), 0);
    EXPECT_NE(Contents().find("m_camera_opts=0xFFFFFFFF\n"), std::string::npos);
    EXPECT_NE(Contents().find("m_max_rate_scale=25.5\n"), std::string::npos);
}

TEST_F(ParamFileTest, MissingFileOrJunkGivesTheDefaultsEverywhere)
{
    GimbalParams expected{};
    expected.m_sensor_y_index = 1;
    expected.m_sensor_z_index = 2;
    GimbalParams from_missing = Scribbled();
    LoadParamFile(m_folder.File("absent.rkdp"), from_missing);
    EXPECT_EQ(std::memcmp(&expected, &from_missing, sizeof expected), 0);
    const GimbalParams from_junk = LoadFrom(std::string("\0\xFF\x01[Param\n=\n\n", 12));
    EXPECT_EQ(std::memcmp(&expected, &from_junk, sizeof expected), 0);
}

TEST_F(ParamFileTest, TryLoadLeavesTheRecordAloneWhenTheFileCannotBeRead)
{
    const GimbalParams before = Scribbled();
    GimbalParams params = before;
    EXPECT_FALSE(TryLoadParamFile(m_folder.File("absent.rkdp"), params));
    fs::create_directory(m_path);
    EXPECT_FALSE(TryLoadParamFile(m_path, params));
    EXPECT_EQ(std::memcmp(&before, &params, sizeof params), 0);
    fs::remove(m_path);
    Put("[Param]\nm_roll_pid_kp=7\n");
    EXPECT_TRUE(TryLoadParamFile(m_path, params));
    EXPECT_EQ(params.m_roll_pid_kp, 7.0);
    EXPECT_EQ(params.m_sensor_z_index, 2);
}

TEST_F(ParamFileTest, ValuesParseLikeTheCFunctions)
{
    const GimbalParams loaded =
        LoadFrom("[param]\nM_SENSOR_Y_INDEX=\nm_roll_pid_kp=12abc\nm_roll_pid_ki=abc\n"
                 "m_camera_opts=FFFFFFFF\nm_gimbal_type= -7 \nm_chan_map_3=\"5\"\n"
                 "m_max_rate_scale=2.25\nm_udmode_type=99999999999\n");
    EXPECT_EQ(loaded.m_sensor_y_index, 0) << "an empty value is present, not missing";
    EXPECT_EQ(loaded.m_sensor_z_index, 2);
    EXPECT_EQ(loaded.m_roll_pid_kp, 12.0);
    EXPECT_EQ(loaded.m_roll_pid_ki, 0.0);
    EXPECT_EQ(loaded.m_camera_opts, 0xFFFFFFFFu);
    EXPECT_EQ(loaded.m_gimbal_type, -7);
    EXPECT_EQ(loaded.m_chan_map[3], 5);
    EXPECT_EQ(loaded.m_max_rate_scale, 2.25) << "the record never rounds";
    EXPECT_EQ(loaded.m_udmode_type, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(LoadFrom("[Param]\nm_camera_opts=0xffffffff\n").m_camera_opts, 0xFFFFFFFFu);
}

TEST_F(ParamFileTest, CalibrationBlockNeedsLengthAndChecksum)
{
    GimbalParams valid{};
    FillValidBlock(valid, 0x3C);
    const std::string text = FormatParamField(valid, Field("m_mtr_cal_par"));
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    auto block_loads = [&](const std::string& block) {
        const GimbalParams loaded = LoadFrom("[Param]\nm_roll_pid_kp=3\nm_mtr_cal_par=" + block + "\n");
        EXPECT_EQ(loaded.m_roll_pid_kp, 3.0) << "other values load whatever the block";
        return std::memcmp(loaded.m_mtr_cal_par, valid.m_mtr_cal_par, 136) == 0 && !BlockIsZero(loaded);
    };
    EXPECT_TRUE(block_loads(text));
    EXPECT_TRUE(block_loads(lower));
    EXPECT_TRUE(block_loads(text + "Z"));
    EXPECT_TRUE(block_loads(text + "\xC3\xA9")) << "the 273rd character may be any character";
    EXPECT_FALSE(block_loads(text + "ZZ"));
    EXPECT_FALSE(block_loads(text.substr(0, 270)));
    std::string broken = text;
    broken[10] = broken[10] == '0' ? '1' : '0';
    EXPECT_FALSE(block_loads(broken));
    EXPECT_TRUE(BlockIsZero(LoadFrom("[Param]\nm_mtr_cal_par=" + broken + "\n")));
}

TEST_F(ParamFileTest, RewriteKeepsOtherSectionsAndKeys)
{
    Put("; tuned by hand\r\n[Notes]\r\nwho=me\r\n[Param]\r\nm_roll_pid_kp = "
        "1\r\nextra=keep\r\n\r\n[Tail]\r\nx=1\r\n");
    GimbalParams params{};
    params.m_roll_pid_kp = 42;
    ASSERT_TRUE(SaveParamFile(m_path, params));
    const std::string after = Contents();
    EXPECT_EQ(after.rfind("; tuned by hand\r\n[Notes]\r\nwho=me\r\n[Param]\r\n", 0), 0u);
    EXPECT_NE(after.find("m_roll_pid_kp = 42\r\nextra=keep\r\nm_product_type=0\r\n"), std::string::npos);
    EXPECT_NE(after.find("m_mtr_cal_par=" + std::string(272, '0') + "\r\n\r\n[Tail]\r\nx=1\r\n"),
              std::string::npos);
    EXPECT_EQ(after.find('\n') - 1, after.find('\r')) << "the file keeps its CRLF line ends";
}

TEST_F(ParamFileTest, FailedSaveReportsAndLeavesTheTargetAlone)
{
    EXPECT_FALSE(SaveParamFile(m_folder.File("missing/folder.rkdp"), GimbalParams{}));
    fs::create_directory(m_path);
    EXPECT_FALSE(SaveParamFile(m_path, GimbalParams{}));
    EXPECT_TRUE(fs::is_directory(m_path));
}

TEST_F(ParamFileTest, FullStopUnderACommaLocale)
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    GimbalParams saved{};
    saved.m_max_rate_scale = 12.5;
    saved.m_pitch_pid_ki = 0.25;
    const bool written = SaveParamFile(m_path, saved);
    GimbalParams loaded{};
    LoadParamFile(m_path, loaded);
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(written);
    EXPECT_NE(Contents().find("m_max_rate_scale=12.5\n"), std::string::npos);
    EXPECT_NE(Contents().find("m_pitch_pid_ki=0.25\n"), std::string::npos);
    EXPECT_EQ(loaded.m_max_rate_scale, 12.5);
    EXPECT_EQ(loaded.m_pitch_pid_ki, 0.25);
}

} // namespace
