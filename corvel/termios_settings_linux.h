#pragma once
// The termios form of a control block's line settings (Linux).
#include <termios.h>

#include "corvel/comm_dcb.h"

namespace corvel::device {

// Fills speed, framing, flow control and the raw-mode flags of tio; 0, or
// EINVAL for a speed, character size, parity or stop-bit value termios lacks.
int toTermios(const LineSettings& settings, termios& tio);

}  // namespace corvel::device
