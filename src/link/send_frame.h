#pragma once

#include "link/ckrq_serial_port.h"
#include "protocol/protocol_frame.h"

// Writes one frame to `port` without ever waiting; a closed port drops it.
// When the driver's buffer is full the frame is dropped whole; when the
// driver takes only part of it, the rest goes out before the next frame, so
// the peer always sees whole frames. A real write error closes the port and
// posts kSerialWriteFailed to the owner.
void SendFrame(CKRQSerialPort& port, const ProtocolFrame& frame);
