#pragma once

#include "params/gimbal_params.h"
#include "protocol/protocol_frame.h"

#include <cstdint>

// The parameter pages: pages 1 to 6 carry the record from the PC to the
// gimbal, pages 17 to 22 carry the same bytes back. Pages 1/17 and 2/18 hold
// the converted fields, pages 3..6 / 19..22 hold the motor calibration block
// in four 34-byte pieces.

inline constexpr uint8_t kFirstUploadPage = 1;
inline constexpr uint8_t kLastUploadPage = 6;
inline constexpr uint8_t kFirstDownloadPage = 17;
inline constexpr uint8_t kLastDownloadPage = 22;
inline constexpr uint8_t kReadBackPageDistance = kFirstDownloadPage - kFirstUploadPage;

inline constexpr bool IsUploadPage(uint8_t page)
{
    return page >= kFirstUploadPage && page <= kLastUploadPage;
}

inline constexpr bool IsDownloadPage(uint8_t page)
{
    return page >= kFirstDownloadPage && page <= kLastDownloadPage;
}

// Fills the payload of an outbound page 1..6 from `params`; any other page is
// left untouched. Returns whether the page is a parameter page.
bool EncodeParamPage(uint8_t page, const GimbalParams& params, ProtocolFrame& frame);

// Stores the payload of an inbound page 17..22 into `params`; any other page
// changes nothing. Returns whether the page is a parameter page.
bool DecodeParamPage(uint8_t page, const ProtocolFrame& frame, GimbalParams& params);

// The record as the gimbal receives it: every field encoded into pages 1..6
// and read back as pages 17..22 carry it. A field that comes back changed
// (999 in a byte, a second decimal, a fraction of a whole-number field) is
// one the link cannot carry as it stands.
GimbalParams CarriedByParamPages(const GimbalParams& params);
