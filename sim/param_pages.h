#pragma once

#include <cstdint>

#include "params/gimbal_params.h"
#include "protocol/protocol_frame.h"

// The controller's side of the six parameter pages. The PC writes them as
// pages 1 to 6 and reads them back as pages 17 to 22; both directions use the
// same byte layout, so `index` 0..5 names the page within either range:
// 0 = parameter page A, 1 = parameter page B, 2..5 = the four 34-byte pieces
// of the motor calibration block.
inline constexpr int kParamPageCount = 6;
inline constexpr uint8_t kFirstWritePage = 1;
inline constexpr uint8_t kFirstReadPage = 17;

// Stores the payload of a received parameter page into `params`. Values are
// taken as the controller holds them: bytes as 0..255 (the three axis signs
// as -128..127), tenths as byte x 0.1, angle limits as signed 16-bit, the
// notch frequency as unsigned 16-bit and the camera options as 32 bits.
void StoreParamPage(int index, const ProtocolFrame& frame, GimbalParams& params);

// Writes the payload of a parameter page from `params` into bytes 22..77.
// Bytes the page does not define are left as they are.
void FillParamPage(int index, const GimbalParams& params, ProtocolFrame& frame);
