#pragma once

#include "params/gimbal_params.h"
#include "protocol/protocol_frame.h"

#include <cstdint>

// One sealed PC-to-gimbal frame: header, command code, page selector, the
// payload of parameter pages 1..6 taken from `params` (every other page has a
// zero payload), and the CRC.
ProtocolFrame BuildOutboundFrame(uint8_t command, uint8_t page, const GimbalParams& params);
