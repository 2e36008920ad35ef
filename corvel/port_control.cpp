// Opening, setting up and closing the port of a record.
#include <cerrno>

#include "corvel/comm_dcb.h"
#include "corvel/corvel.h"
#include "corvel/record_access.h"
#include "corvel/serial_device.h"
#include "platform/com_map.h"

using namespace corvel;

namespace {

constexpr std::size_t kQueueSize = 4096;
constexpr std::uint32_t kWriteMsPerByte = 50;
constexpr std::uint32_t kWriteConstantMs = 3000;

CommTimeouts timeoutsOf(const tagPPARAM& p) {
  CommTimeouts t;
  t.readTotalConstant = pparam::u16(p, pparam::kTimeoutMs);
  t.writeTotalMultiplier = kWriteMsPerByte;
  t.writeTotalConstant = kWriteConstantMs;
  return t;
}

// Queues, control block and time-outs; 0 or the platform error.
int setUp(tagPPARAM& p) {
  const int fd = handleOf(p);
  if (int error = device::setQueueSizes(fd, kQueueSize, kQueueSize)) return error;
  const DcbBytes dcb = buildDcb(p);
  for (std::size_t i = 0; i < dcb.size(); ++i) pparam::setU8(p, pparam::kDcb + i, dcb[i]);
  if (int error = device::setTimeouts(fd, timeoutsOf(p))) return error;
  return device::applyLineSettings(fd, decodeDcb(dcb));
}

}  // namespace

extern "C" CORVEL_API short LIB_COMMSetDCB(tagPPARAM* p) {
  if (!p) return kFailed;
  std::uint16_t code = 0;
  if (!device::isOwnPort(handleOf(*p))) {
    code = CORVEL_ERR_BAD_PORT;
  } else if (int error = setUp(*p)) {
    storeOsError(*p, error);
    code = CORVEL_ERR_SETUP;
  }
  LIB_CommClear(p);
  return code == 0 ? 0 : fail(*p, code);
}

extern "C" CORVEL_API short LIB_COMMOpen(tagPPARAM* p) {
  if (!p) return kFailed;
  if (!isSerialPort(pparam::u8(*p, pparam::kPort))) return fail(*p, CORVEL_ERR_BAD_PORT);
  if (pparam::u8(*p, pparam::kOpenDefaultByte) == 0) pparam::setU8(*p, pparam::kOpenDefaultByte, 32);
  if (!isOpen(*p)) {
    const std::string path = platform::comDevicePath(pparam::u8(*p, pparam::kPort));
    int fd = kClosedHandle;
    if (int error = path.empty() ? ENOENT : device::openPort(path, fd)) {
      storeOsError(*p, error);
      return fail(*p, CORVEL_ERR_OPEN);
    }
    setHandle(*p, fd);
  } else if (!ownPortOf(*p)) {
    return kFailed;
  }
  if (LIB_COMMSetDCB(p) != 0) {
    LIB_COMMClose(p);
    return kFailed;
  }
  return 0;
}

extern "C" CORVEL_API short LIB_COMMClose(tagPPARAM* p) {
  if (!p) return kFailed;
  if (!isSerialPort(pparam::u8(*p, pparam::kPort))) return fail(*p, CORVEL_ERR_BAD_PORT);
  if (!isOpen(*p)) return kFailed;
  const auto fd = ownPortOf(*p);
  if (!fd) return kFailed;
  device::closePort(*fd);
  setHandle(*p, kClosedHandle);
  return 0;
}

extern "C" CORVEL_API short LIB_ParamCheck(tagPPARAM* a, tagPPARAM* b) {
  if (!a || !b) return kFailed;
  for (std::size_t at : {pparam::kPort, pparam::kBaudCode, pparam::kParityCode, pparam::kStopBitsCode,
                         pparam::kDataBits}) {
    if (pparam::u8(*a, at) != pparam::u8(*b, at)) return kFailed;
  }
  return pparam::u16(*a, pparam::kCheckWord) == pparam::u16(*b, pparam::kCheckWord) ? 0 : kFailed;
}

extern "C" CORVEL_API short LIB_SetLastError(tagPPARAM* p, int code) {
  const auto code16 = static_cast<std::uint16_t>(code);
  if (p) pparam::setU16(*p, pparam::kErrorCode, code16);
  return static_cast<short>(code16);
}

CORVEL_API int LIB_IsInternal(unsigned char b) { return b == 0; }
CORVEL_API int LIB_IsSerial(unsigned char b) { return b >= 1 && b <= 4; }
CORVEL_API int LIB_IsEthernet(unsigned char b) { return b > 4; }
