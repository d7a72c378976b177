#include "protocol/command_table.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<CommandRow, 23> kCommands{{
    // name, control, caption, code, needs cal_allowed, confirm, progress, success, failure
    {"run", 1012, "Gimbal Run", 1, false, 0, 149, 164, 165},
    {"stop", 1013, "Gimbal Stop", 2, false, 0, 150, 166, 167},
    {"save-flash", 1010, "Save Param To Flash", 3, false, 0, 148, 168, 169},
    {"motor-zero", 1016, "Motor Zero Calibration", 4, false, 201, 151, 170, 171},
    {"gimbal-zero", 1011, "Gimbal Zero Calibration", 5, false, 205, 153, 174, 175},
    {"acc-cal", 1151, "Acce Advanced Calibration", 6, true, 251, 249, 247, 248},
    {"gyro-cal", 1083, "Gyro Calibration", 7, true, 209, 163, 178, 179},
    {"gyro-cal-adv", 1153, "Gyro Advanced Calibration", 8, true, 256, 252, 253, 254},
    {"gyro-cal-reset", 1158, "Gyro Calibration Reset", 12, true, 258, 259, 260, 261},
    {"motor-angle", 1096, "Motor Angle Calibration", 13, true, 206, 176, 177, 202},
    {"test1", 1107, "TEST1", 9, false, 0, 155, 180, 181},
    {"test2", 1139, "TEST2", 10, false, 0, 156, 182, 183},
    {"test3", 1029, "TEST3", 11, false, 0, 152, 172, 173},
    {"test4", 1122, "TEST4", 14, false, 0, 207, 210, 211},
    {"photo", 1048, "Photo", 17, false, 0, 157, 184, 185},
    {"video", 1084, "Video", 18, false, 0, 158, 186, 187},
    {"zoom-in", 1086, "Zoom In", 19, false, 0, 159, 188, 189},
    {"zoom-out", 1087, "Zoom Out", 20, false, 0, 160, 190, 191},
    {"zoom-stop", 1020, "Zoom Stop", 21, false, 0, 161, 192, 193},
    {"focus", 1017, "Focus", 22, false, 0, 162, 194, 195},
    {"aux1", 1112, "AUX1", 23, false, 0, 234, 237, 238},
    {"aux2", 1144, "AUX2", 24, false, 0, 235, 239, 240},
    {"aux3", 1061, "AUX3", 25, false, 0, 236, 241, 242},
}};

// Every value of the acknowledgement byte, precomputed: the decoder looks it
// up on every frame.
constexpr auto kAckByCode = [] {
    std::array<std::optional<Acknowledgement>, 256> table{};
    for (const CommandRow& command : kCommands) {
        table[command.code] = Acknowledgement{command.success_message, kBlack};
        table[command.code + kAckFailureOffset] = Acknowledgement{command.failure_message, kRed};
    }
    return table;
}();

template <class Match> const CommandRow* FindCommand(Match match)
{
    const auto* found = std::find_if(kCommands.begin(), kCommands.end(), match);
    return found == kCommands.end() ? nullptr : found;
}

} // namespace

std::span<const CommandRow> Commands()
{
    return kCommands;
}

const CommandRow* FindCommandByName(std::string_view name)
{
    return FindCommand([name](const CommandRow& c) { return c.name == name; });
}

const CommandRow* FindCommandByControl(int control_id)
{
    return FindCommand([control_id](const CommandRow& c) { return c.control_id == control_id; });
}

const CommandRow* FindCommandByCode(uint8_t code)
{
    return FindCommand([code](const CommandRow& c) { return c.code == code; });
}

std::optional<Acknowledgement> FindAcknowledgement(uint8_t ack_code)
{
    return kAckByCode[ack_code];
}
