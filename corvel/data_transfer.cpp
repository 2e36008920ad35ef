// Reading and writing bytes, one-call time-outs, queues and the RTS line.
#include <cstdint>

#include "corvel/corvel.h"
#include "corvel/record_access.h"
#include "corvel/serial_device.h"

using namespace corvel;

namespace {

constexpr unsigned char kCheckFailed = 0xFF;
// A read result is a 16-bit signed count, so one read takes at most this many bytes.
constexpr std::size_t kMaxReadCount = 0x7FFF;

// Runs `read` with the port's time-outs changed by `change`, then puts the
// saved ones back. Gives false when the time-outs could not be read or set.
template <typename Change, typename Read>
bool withTimeouts(int fd, Change change, Read read) {
  CommTimeouts saved;
  if (device::getTimeouts(fd, saved) != 0) return false;
  CommTimeouts once = saved;
  change(once);
  if (device::setTimeouts(fd, once) != 0) return false;
  read();
  device::setTimeouts(fd, saved);
  return true;
}

}  // namespace

// LIB_SetDIO is this same function published under a second name; the link
// step of the library adds that name (CMakeLists.txt), which needs nothing
// compiler-specific here.
extern "C" CORVEL_API void LIB_SetRS485(tagPPARAM*, int) {
  // The RS-485 direction is driven through RTS (see the control block); this
  // hook around every transfer stays empty.
}

extern "C" CORVEL_API bool LIB_WriteComm(tagPPARAM* p, const unsigned char* bytes, int count) {
  const auto n = static_cast<std::uint16_t>(count);
  if (!p || (!bytes && n > 0)) return false;
  const auto fd = ownPortOf(*p);
  if (!fd) return false;
  LIB_SetRS485(p, 1);
  const device::Transfer t = device::writeBytes(*fd, bytes, n);
  LIB_SetRS485(p, 0);
  if (t.error != 0) storeOsError(*p, t.error);
  return t.error == 0 && t.count == n;
}

extern "C" CORVEL_API bool LIB_CommPutc(tagPPARAM* p, int byte) {
  const auto b = static_cast<unsigned char>(byte);
  return LIB_WriteComm(p, &b, 1);
}

extern "C" CORVEL_API short LIB_ReadComm(tagPPARAM* p, unsigned char* buffer, int count) {
  std::size_t n = static_cast<std::uint16_t>(count);
  if (n > kMaxReadCount) n = kMaxReadCount;
  if (!p) return kFailed;
  if (!buffer && n > 0) return fail(*p, CORVEL_ERR_READ);
  const auto fd = ownPortOf(*p);
  if (!fd) return kFailed;
  LIB_SetRS485(p, 0);
  const device::Transfer t = device::readBytes(*fd, buffer, n);
  if (t.error != 0) {
    // A failed read is a failure even where the driver reports no line error.
    storeOsError(*p, t.error);
    return fail(*p, CORVEL_ERR_READ);
  }
  device::LineStatus status;
  if (device::queryStatus(*fd, status) != 0 || !status.lineError) return static_cast<short>(t.count);
  return fail(*p, CORVEL_ERR_READ);
}

extern "C" CORVEL_API int LIB_CommGetc(tagPPARAM* p, int timeoutMs) {
  if (!p) return -1;
  const auto fd = ownPortOf(*p);
  if (!fd) return -1;
  unsigned char byte = 0;
  device::Transfer t;
  withTimeouts(
      *fd,
      [&](CommTimeouts& once) {
        once.readTotalMultiplier = 0;
        once.readTotalConstant = static_cast<std::uint32_t>(timeoutMs);
      },
      [&] { t = device::readBytes(*fd, &byte, 1); });
  return t.error == 0 && t.count == 1 ? byte : -1;
}

CORVEL_API unsigned char LIB_CheckNextByte(tagPPARAM* p) {
  if (!p) return kCheckFailed;
  const auto fd = ownPortOf(*p);
  if (!fd) return kCheckFailed;
  unsigned char byte = 0;
  device::Transfer t;
  const bool ok = withTimeouts(
      *fd,
      [](CommTimeouts& once) {
        once.readInterval = kMaxDword;
        once.readTotalMultiplier = 0;
        once.readTotalConstant = 0;
      },
      [&] { t = device::readBytes(*fd, &byte, 1); });
  if (!ok || t.error != 0) return kCheckFailed;
  return t.count == 1 ? byte : 0;
}

extern "C" CORVEL_API int LIB_CommClear(tagPPARAM* p) {
  if (!p) return 0;
  const auto fd = ownPortOf(*p);
  if (!fd) return 0;
  device::LineStatus status;
  if (device::queryStatus(*fd, status) != 0) return 0;
  if (status.inputQueued == 0 && status.outputQueued == 0) return 0;
  return device::purge(*fd, status.inputQueued > 0, status.outputQueued > 0) == 0 ? 1 : 0;
}

extern "C" CORVEL_API bool LIB_SetReadTimeOut(tagPPARAM* p, int multiplier, int constant) {
  if (!p) return false;
  const auto fd = ownPortOf(*p);
  if (!fd) return false;
  CommTimeouts t;
  if (device::getTimeouts(*fd, t) != 0) return false;
  // Each part is a 16-bit signed value widened the way the Windows build does.
  t.readTotalMultiplier = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<short>(multiplier)));
  t.readTotalConstant = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<short>(constant)));
  return device::setTimeouts(*fd, t) == 0;
}

extern "C" CORVEL_API bool LIB_SetRTS(tagPPARAM* p) {
  if (!p) return false;
  const auto fd = ownPortOf(*p);
  if (!fd) return false;
  const int error = device::setRts(*fd, true);
  if (error != 0) storeOsError(*p, error);
  return error == 0;
}

extern "C" CORVEL_API bool LIB_ResetRTS(tagPPARAM* p) {
  if (!p) return false;
  const auto fd = ownPortOf(*p);
  if (!fd) return false;
  const int error = device::setRts(*fd, false);
  if (error != 0) storeOsError(*p, error);
  return error == 0;
}
