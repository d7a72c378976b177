#include "libs/iap/bootloader_request.h"

#include "libs/iap/crc32.h"
#include "libs/iap/little_endian.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kEnterCommand = 0x5C;
constexpr uint8_t kEnterPage = 0xB1;
constexpr uint8_t kKey[16] = {'E', 'N', 'T', 'E', 'R', '-', 'B', 'O', 'O', 'T', 'L', 'O', 'A', 'D', 'E', 'R'};
constexpr size_t kKeyCrcOffset = kFramePayloadOffset + sizeof kKey;

} // namespace

ProtocolFrame MakeEnterBootloaderFrame()
{
    ProtocolFrame frame{};
    frame[0] = kOutboundHeader0;
    frame[1] = kOutboundHeader1;
    frame[kFrameCodeOffset] = kEnterCommand;
    frame[kFramePageOffset] = kEnterPage;
    std::memcpy(frame.data() + kFramePayloadOffset, kKey, sizeof kKey);
    std::vector<uint8_t> crc;
    AppendU32(crc, Crc32(kKey, sizeof kKey));
    std::copy(crc.begin(), crc.end(), frame.begin() + kKeyCrcOffset);
    SealFrame(frame);
    return frame;
}

bool IsEnterBootloaderFrame(const ProtocolFrame& frame)
{
    return frame == MakeEnterBootloaderFrame();
}
