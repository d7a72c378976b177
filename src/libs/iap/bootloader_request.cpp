#include "libs/iap/bootloader_request.h"

#include "wire/crc32.h"
#include "wire/little_endian.h"

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
    StoreU32(frame.data() + kKeyCrcOffset, Crc32(kKey, sizeof kKey));
    SealFrame(frame);
    return frame;
}
