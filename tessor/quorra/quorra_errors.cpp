#include "tessor/quorra/quorra_errors.h"

#include <modbus/modbus.h>

#include <cerrno>

namespace quorra {

std::uint16_t errorCodeOf(int err) {
  switch (err) {
    case ETIMEDOUT: return kTimeout;
    case ECONNREFUSED:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
    case EADDRNOTAVAIL: return kDeviceNotFound;
    case EMBXILFUN: return kInvalidCommand;
    case EMBXILADD: return kAddressOverflow;
    case EMBXILVAL: return kDataLength;
    case EMBXSFAIL: return kMemoryAccess;
    case EMBXNACK: return kNak;
    case EMBXMEMPAR: return kMemoryDamaged;
    case EMBXGPATH: return kDeviceNotFound;
    case EMBXGTAR: return kTimeout;
    case MODBUS_ENOBASE:  // exception 0, not a code Modbus defines
    case EMBXACK:
    case EMBXSBUSY:
    case MODBUS_ENOBASE + MODBUS_EXCEPTION_NOT_DEFINED:
    case EMBBADEXC:
    case EMBUNKEXC: return kServerError;
    case EMBMDATA: return kDataLength;
    case EMBBADSLAVE: return kStationMismatch;
    case EINVAL: return kInvalidCommand;
    default: return kCommunication;  // EMBBADDATA, ECONNRESET, EPIPE and the rest
  }
}

bool isExceptionReply(int err) {
  return (err >= MODBUS_ENOBASE && err <= EMBXGTAR) || err == EMBBADEXC || err == EMBUNKEXC;
}

bool isConnectionLoss(int err) {
  return err == ECONNRESET || err == EPIPE || err == ENOTCONN || err == EBADF ||
         err == ECONNABORTED;
}

}  // namespace quorra
