#include "tessor/quorra/quorra_session.h"

#include <modbus/modbus.h>

#include <algorithm>
#include <cerrno>
#include <vector>

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

void packBits(const std::vector<std::uint8_t>& bits, std::uint16_t* buffer) {
  std::fill_n(buffer, (bits.size() + 15) / 16, std::uint16_t{0});
  for (std::size_t i = 0; i < bits.size(); ++i)
    if (bits[i]) buffer[i / 16] = static_cast<std::uint16_t>(buffer[i / 16] | (1u << (i % 16)));
}
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

// One request with the library's rules: repeat after failures that left no
// answer (on a fresh connection, so a late reply is never taken for the next
// one), never after an exception reply, and reconnect once for free when a
// connection that was kept from earlier turns out to be closed by the server.
std::uint16_t Session::transact(const Exchange& exchange) {
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
    errno = 0;
    if (exchange(ctx_) >= 0) return 0;
    const int err = errno;
    last = errorCodeOf(err);
    if (isExceptionReply(err)) return last;
    dropConnection();
    if (kept && freeReconnect && isConnectionLoss(err)) {
      freeReconnect = false;
      continue;
    }
    ++attempt;
  }
  return last;
}

std::uint16_t Session::read(std::uint16_t area, std::uint32_t address, std::uint16_t* buffer,
                            int count) {
  const int a = static_cast<int>(address);
  switch (area) {
    case QUORRA_AREA_COILS:
    case QUORRA_AREA_DISCRETE_INPUTS: {
      if (const auto bad = checkRange(address, count, MODBUS_MAX_READ_BITS)) return bad;
      std::vector<std::uint8_t> bits(static_cast<std::size_t>(count));
      const bool coils = area == QUORRA_AREA_COILS;
      const auto rc = transact([&](modbus_t* ctx) {
        return coils ? modbus_read_bits(ctx, a, count, bits.data())
                     : modbus_read_input_bits(ctx, a, count, bits.data());
      });
      if (rc == 0) packBits(bits, buffer);
      return rc;
    }
    case QUORRA_AREA_HOLDING_REGISTERS:
    case QUORRA_AREA_INPUT_REGISTERS: {
      if (const auto bad = checkRange(address, count, MODBUS_MAX_READ_REGISTERS)) return bad;
      std::vector<std::uint16_t> words(static_cast<std::size_t>(count));
      const bool holding = area == QUORRA_AREA_HOLDING_REGISTERS;
      const auto rc = transact([&](modbus_t* ctx) {
        return holding ? modbus_read_registers(ctx, a, count, words.data())
                       : modbus_read_input_registers(ctx, a, count, words.data());
      });
      if (rc == 0) std::copy(words.begin(), words.end(), buffer);
      return rc;
    }
    default: return kInvalidCommand;
  }
}

std::uint16_t Session::write(std::uint16_t area, std::uint32_t address,
                             const std::uint16_t* buffer, int count) {
  const int a = static_cast<int>(address);
  if (area == QUORRA_AREA_HOLDING_REGISTERS) {
    if (const auto bad = checkRange(address, count, kMaxWriteRegisters)) return bad;
    std::vector<std::uint16_t> words(buffer, buffer + count);
    return transact([&](modbus_t* ctx) {
      return count == 1 ? modbus_write_register(ctx, a, words[0])
                        : modbus_write_registers(ctx, a, count, words.data());
    });
  }
  if (area == QUORRA_AREA_COILS) {
    // `count` is the number of coils: exactly those are written, never the
    // rest of the last word.
    if (const auto bad = checkRange(address, count, MODBUS_MAX_WRITE_BITS)) return bad;
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = (buffer[i / 16] >> (i % 16)) & 1u;
    return transact([&](modbus_t* ctx) { return modbus_write_bits(ctx, a, count, bits.data()); });
  }
  return kInvalidCommand;
}

std::uint16_t Session::setBit(std::uint16_t area, std::uint32_t address, int value) {
  if (area != QUORRA_AREA_COILS) return kInvalidCommand;
  if (const auto bad = checkRange(address, 1, 1)) return bad;
  const int a = static_cast<int>(address);
  return transact([&](modbus_t* ctx) { return modbus_write_bit(ctx, a, value ? 1 : 0); });
}

}  // namespace quorra
