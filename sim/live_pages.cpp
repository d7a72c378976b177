#include "sim/live_pages.h"

#include "wire/little_endian.h"

namespace {

template <typename T> void PutTriple(ProtocolFrame& frame, size_t offset, const std::array<T, 3>& values)
{
    for (size_t i = 0; i < 3; ++i)
        StoreU16(frame.data() + offset + 2 * i, static_cast<uint16_t>(values[i]));
}

} // namespace

void WriteAttitude(const AttitudeSample& attitude, ProtocolFrame& frame)
{
    StoreU16(frame.data() + 3, static_cast<uint16_t>(attitude.roll));
    StoreU16(frame.data() + 5, static_cast<uint16_t>(attitude.pitch));
    StoreU16(frame.data() + 7, attitude.yaw);
    for (size_t i = 0; i < 3; ++i)
        StoreU32(frame.data() + 9 + 4 * i, static_cast<uint32_t>(attitude.fgyr[i]));
}

void WriteStatusPage(const LiveStatus& status, int row, ProtocolFrame& frame)
{
    frame[22] = status.gimbal_state;
    frame[23] = status.main_hw_flags;
    frame[24] = status.main_version;
    PutTriple(frame, 25, status.gyro);
    PutTriple(frame, 31, status.acce);
    PutTriple(frame, 37, status.mang);
    PutTriple(frame, 43, status.mpwr);
    frame[49] = status.cal_allowed;
    StoreU16(frame.data() + 50, static_cast<uint16_t>(status.temp_value));
    StoreU16(frame.data() + 52, static_cast<uint16_t>(status.temp_power));
    frame[54] = status.progress_state;
    frame[55] = status.progress_value;
    frame[56] = status.c_status;
    for (size_t i = 0; i < 3; ++i) {
        frame[57 + i] = status.mtr_status[i];
        frame[61 + i] = status.mtr_version[i];
    }
    frame[60] = status.sens_status;
    frame[64] = status.sens_version;
    frame[65] = status.mode;
    frame[66] = static_cast<uint8_t>(status.chan_sens);
    PutTriple(frame, 67, status.chan_axis);
    frame[73] = static_cast<uint8_t>(row);
    for (size_t i = 0; i < 4; ++i)
        frame[74 + i] = status.chan_levels[4 * static_cast<size_t>(row) + i];
}

void WriteGridPage(const LiveGrid& grid, ProtocolFrame& frame)
{
    for (size_t i = 0; i < grid.size(); ++i)
        StoreU16(frame.data() + kFramePayloadOffset + 2 * i, static_cast<uint16_t>(grid[i]));
}
