#pragma once

#include "protocol/protocol_frame.h"

// The one 80-byte frame of the normal protocol that sends a running
// controller into its bootloader. Ordinary traffic cannot trigger it: its
// command code (0x5C) and page selector (0xB1) are used by nothing else, its
// payload starts with a 16-byte key followed by the CRC-32 of the key, and
// the frame's own CRC-16 must hold as for every frame.
ProtocolFrame MakeEnterBootloaderFrame();
