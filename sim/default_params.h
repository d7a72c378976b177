#pragma once

#include "params/gimbal_params.h"

// The parameter set of a freshly flashed controller: plausible gains and
// limits, every value representable on the wire, and a motor calibration
// block whose trailing CRC (from 0xABCD, high byte first) checks.
GimbalParams DefaultGimbalParams();

// Recomputes bytes 134..135 of the calibration block from bytes 0..133.
void SealCalibrationBlock(GimbalParams& params);
