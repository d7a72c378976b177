#include "protocol/outbound_frame.h"

#include "protocol/param_page_codec.h"

ProtocolFrame BuildOutboundFrame(uint8_t command, uint8_t page, const GimbalParams& params)
{
    ProtocolFrame frame{};
    frame[0] = kOutboundHeader0;
    frame[1] = kOutboundHeader1;
    frame[kFrameCodeOffset] = command;
    frame[kFramePageOffset] = page;
    EncodeParamPage(page, params, frame);
    SealFrame(frame);
    return frame;
}
