#include "tessor/quorra/quorra_session.h"

#include <modbus/modbus.h>

#include <algorithm>
#include <cerrno>

#include "tessor/quorra/quorra.h"
#include "tessor/quorra/quorra_errors.h"

namespace quorra {

namespace {
constexpr int kMaxWriteRegisters = MODBUS_MAX_WRITE_REGISTERS;

// 0 when [address, address + count) lies inside the 16-bit address space and
// count is within 1..limit.
std::uint16_t checkRange(std::uint32_t address, int count, int limit) {
  if (count < 1 || count > limit) return kDataLength;
  if (address > 0xFFFF || address + static_cast<std::uint32_t>(count) > 0x10000)
    return kAddressOverflow;
  return 0;
}

std::uint16_t u16(std::uint32_t v) { return static_cast<std::uint16_t>(v); }
std::uint16_t u16(int v) { return static_cast<std::uint16_t>(v); }
}  // namespace

Session::Session(SessionConfig config) : config_(std::move(config)) {}

Session::~Session() {
  std::lock_guard lock(mutex_);
  dropConnection();
}

void Session::dropConnection() {
  if (ctx_) {
    modbus_close(ctx_);
    modbus_free(ctx_);
    ctx_ = nullptr;
  }
  connected_ = false;
}

int Session::connectSocket() {
  dropConnection();
  ctx_ = modbus_new_tcp(config_.address.c_str(), config_.port);
  if (!ctx_) return errno ? errno : EINVAL;
  const auto ms = static_cast<std::uint32_t>(std::max(config_.timeoutMs, 1));
  modbus_set_response_timeout(ctx_, ms / 1000, (ms % 1000) * 1000);
  modbus_set_byte_timeout(ctx_, ms / 1000, (ms % 1000) * 1000);
  if (modbus_set_slave(ctx_, config_.station) != 0) {
    dropConnection();
    return EMBBADSLAVE;
  }
  if (modbus_connect(ctx_) != 0) {
    const int err = errno;
    dropConnection();
    // libmodbus leaves the errno of its non-blocking connect when its wait for
    // the server runs out: the server did not answer in time.
    if (err == EINPROGRESS) return ETIMEDOUT;
    return err ? err : ECONNREFUSED;
  }
  connected_ = true;
  return 0;
}

std::uint16_t Session::open() {
  std::lock_guard lock(mutex_);
  const int err = connectSocket();
  return err ? errorCodeOf(err) : 0;
}

Session::Attempt Session::exchange(const Request& request, std::vector<std::uint8_t>& reply) {
  reply.resize(MODBUS_TCP_MAX_ADU_LENGTH);
  errno = 0;
  const auto sent =
      modbus_send_raw_request(ctx_, request.raw.data(), static_cast<int>(request.raw.size()));
  const int received = sent < 0 ? -1 : modbus_receive_confirmation(ctx_, reply.data());
  if (received < 0) {
    const int err = errno;
    return {errorCodeOf(err), false, isConnectionLoss(err)};
  }
  reply.resize(static_cast<std::size_t>(received));
  const ReplyCheck check = checkReply(request, reply);
  return {check.code, check.exception, false};
}

// One request with the library's rules: repeat after failures that left no
// answer to it (on a fresh connection, so a late reply is never taken for the
// next one), never after an exception reply, and reconnect once for free when a
// connection that was kept from earlier turns out to be closed by the server.
std::uint16_t Session::transact(const Request& request, std::vector<std::uint8_t>& reply) {
  std::lock_guard lock(mutex_);
  const int attempts = 1 + std::clamp(config_.retries, 0, 10);
  bool freeReconnect = true;
  std::uint16_t last = kNotOpen;
  for (int attempt = 0; attempt < attempts;) {
    const bool kept = connected_;
    if (!connected_) {
      if (const int err = connectSocket(); err != 0) {
        last = errorCodeOf(err);
        ++attempt;
        continue;
      }
    }
    const Attempt result = exchange(request, reply);
    last = result.code;
    if (last == 0 || result.answered) return last;
    dropConnection();
    if (kept && freeReconnect && result.connectionLost) {
      freeReconnect = false;
      continue;
    }
    ++attempt;
  }
  return last;
}

std::uint16_t Session::read(std::uint16_t area, std::uint32_t address, std::uint16_t* buffer,
                            int count) {
  std::uint8_t function = 0;
  int limit = MODBUS_MAX_READ_REGISTERS;
  switch (area) {
    case QUORRA_AREA_COILS: function = MODBUS_FC_READ_COILS; limit = MODBUS_MAX_READ_BITS; break;
    case QUORRA_AREA_DISCRETE_INPUTS:
      function = MODBUS_FC_READ_DISCRETE_INPUTS;
      limit = MODBUS_MAX_READ_BITS;
      break;
    case QUORRA_AREA_HOLDING_REGISTERS: function = MODBUS_FC_READ_HOLDING_REGISTERS; break;
    case QUORRA_AREA_INPUT_REGISTERS: function = MODBUS_FC_READ_INPUT_REGISTERS; break;
    default: return kInvalidCommand;
  }
  if (const auto bad = checkRange(address, count, limit)) return bad;
  const Request request = readRequest(unit(), function, u16(address), u16(count));
  std::vector<std::uint8_t> reply;
  const auto rc = transact(request, reply);
  if (rc == 0) unpackReadReply(request, reply, buffer);
  return rc;
}

std::uint16_t Session::write(std::uint16_t area, std::uint32_t address,
                             const std::uint16_t* buffer, int count) {
  std::vector<std::uint8_t> reply;
  if (area == QUORRA_AREA_HOLDING_REGISTERS) {
    if (const auto bad = checkRange(address, count, kMaxWriteRegisters)) return bad;
    return transact(count == 1 ? writeRegisterRequest(unit(), u16(address), buffer[0])
                               : writeRegistersRequest(unit(), u16(address), u16(count), buffer),
                    reply);
  }
  if (area == QUORRA_AREA_COILS) {
    // `count` is the number of coils: exactly those are written, never the
    // rest of the last word.
    if (const auto bad = checkRange(address, count, MODBUS_MAX_WRITE_BITS)) return bad;
    return transact(writeCoilsRequest(unit(), u16(address), u16(count), buffer), reply);
  }
  return kInvalidCommand;
}

std::uint16_t Session::setBit(std::uint16_t area, std::uint32_t address, int value) {
  if (area != QUORRA_AREA_COILS) return kInvalidCommand;
  if (const auto bad = checkRange(address, 1, 1)) return bad;
  std::vector<std::uint8_t> reply;
  return transact(writeCoilRequest(unit(), u16(address), value != 0), reply);
}

}  // namespace quorra
