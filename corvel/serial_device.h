#pragma once
// The operating-system side of a serial port, one implementation per
// platform (serial_device_linux.cpp: termios). Every function that can fail
// returns 0 or the platform error code, which the callers keep in osError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "corvel/comm_dcb.h"
#include "corvel/comm_timeouts.h"

namespace corvel::device {

// Opens an existing device for reading and writing, for this caller alone.
int openPort(const std::string& path, int& fd);
void closePort(int fd);

// Whether fd is a port that openPort gave and closePort has not taken back,
// still the same file. Only such ports may be touched: any other number in a
// caller's record may by now be standard input or a file of the caller's.
bool isOwnPort(int fd);

// Driver queue sizes, where the platform lets them be chosen.
int setQueueSizes(int fd, std::size_t input, std::size_t output);

int getTimeouts(int fd, CommTimeouts& timeouts);
int setTimeouts(int fd, const CommTimeouts& timeouts);

// Speed, framing, flow control and the DTR/RTS lines of a control block.
int applyLineSettings(int fd, const LineSettings& settings);

struct Transfer {
  std::size_t count = 0;  // bytes moved, also when error is set
  int error = 0;
};
// Reads and writes under the port's time-outs.
Transfer readBytes(int fd, std::uint8_t* buffer, std::size_t count);
Transfer writeBytes(int fd, const std::uint8_t* bytes, std::size_t count);

// Queue state and the line errors since the previous query (which clears them).
struct LineStatus {
  std::size_t inputQueued = 0;
  std::size_t outputQueued = 0;
  bool lineError = false;  // overrun, receive overrun, parity or framing
};
int queryStatus(int fd, LineStatus& status);

// Discards queued input and/or output.
int purge(int fd, bool input, bool output);

int setRts(int fd, bool raised);

// Writes on a port whose RTS is raised only while sending, where the driver
// cannot do it, move RTS through this setter (setRts unless replaced). Tests
// put a recorder in its place: pseudo-terminals have no modem lines.
using RtsSetter = int (*)(int fd, bool raised);
RtsSetter replaceToggleRtsSetter(RtsSetter setter);  // gives the previous one

}  // namespace corvel::device
