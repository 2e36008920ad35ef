// The five exported calls. Connections live in a table keyed by a number that
// never repeats; the record's 4-byte block holds that number, so a stale or
// garbage block finds no connection instead of a dangling pointer.
#include <arpa/inet.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "tessor/quorra/quorra.h"
#include "tessor/quorra/quorra_errors.h"
#include "tessor/quorra/quorra_session.h"

namespace {

using quorra::Session;

class SessionTable {
 public:
  std::uint32_t add(std::shared_ptr<Session> session) {
    std::lock_guard lock(mutex_);
    const std::uint32_t handle = next_++;
    sessions_[handle] = std::move(session);
    return handle;
  }
  std::shared_ptr<Session> find(std::uint32_t handle) {
    std::lock_guard lock(mutex_);
    const auto it = sessions_.find(handle);
    return it == sessions_.end() ? nullptr : it->second;
  }
  // The session ends when the last call still using it returns.
  void remove(std::uint32_t handle) {
    std::shared_ptr<Session> ending;
    std::lock_guard lock(mutex_);
    const auto it = sessions_.find(handle);
    if (it == sessions_.end()) return;
    ending = std::move(it->second);
    sessions_.erase(it);
  }

 private:
  std::mutex mutex_;
  std::uint32_t next_ = 1;                                    // guarded by mutex_
  std::map<std::uint32_t, std::shared_ptr<Session>> sessions_;  // guarded by mutex_
};

SessionTable& table() {
  static SessionTable instance;
  return instance;
}

unsigned char* block(const tagPPARAM& record) {
  return static_cast<unsigned char*>(pparam::pointer(record, pparam::kBlockPointer));
}

std::uint32_t handleIn(const unsigned char* b) {
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

void storeHandle(unsigned char* b, std::uint32_t handle) {
  for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(handle >> (8 * i));
}

quorra::SessionConfig configOf(const tagPPARAM& record) {
  quorra::SessionConfig config;
  char text[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, record.raw + pparam::kServerAddress, text, sizeof text);
  config.address = text;
  config.port = pparam::u16(record, pparam::kTcpPort);
  config.timeoutMs = pparam::u16(record, pparam::kTimeoutMs);
  config.retries = pparam::u8(record, pparam::kRetries);
  config.station = pparam::u16(record, pparam::kStation);
  return config;
}

unsigned short fail(tagPPARAM* record, std::uint16_t code) {
  if (record && code != 0) pparam::setU16(*record, pparam::kErrorCode, code);
  return code;
}

std::shared_ptr<Session> sessionOf(const tagPPARAM& record) {
  const unsigned char* b = block(record);
  return b ? table().find(handleIn(b)) : nullptr;
}

}  // namespace

extern "C" {

unsigned short zCOMMOpen(tagPPARAM* record) {
  if (!record) return quorra::kInvalidCommand;
  unsigned char* b = block(*record);
  if (!b) return fail(record, quorra::kNotOpen);
  table().remove(handleIn(b));  // a connection left open on this block is replaced
  auto session = std::make_shared<Session>(configOf(*record));
  if (const auto code = session->open(); code != 0) {
    storeHandle(b, 0);
    return fail(record, code);
  }
  storeHandle(b, table().add(std::move(session)));
  return 0;
}

unsigned short zCOMMClose(tagPPARAM* record) {
  if (!record) return quorra::kInvalidCommand;
  unsigned char* b = block(*record);
  if (!b) return 0;
  table().remove(handleIn(b));
  storeHandle(b, 0);
  return 0;
}

unsigned short zRead_PLC(tagPPARAM* record, unsigned short area, unsigned int address,
                         unsigned short* buffer, short count) {
  if (!record || !buffer) return fail(record, quorra::kInvalidCommand);
  const auto session = sessionOf(*record);
  if (!session) return fail(record, quorra::kNotOpen);
  return fail(record, session->read(area, address, buffer, count));
}

unsigned short zWrite_PLC(tagPPARAM* record, unsigned short area, unsigned int address,
                          const unsigned short* buffer, short count) {
  if (!record || !buffer) return fail(record, quorra::kInvalidCommand);
  const auto session = sessionOf(*record);
  if (!session) return fail(record, quorra::kNotOpen);
  return fail(record, session->write(area, address, buffer, count));
}

unsigned short zSetBit_PLC(tagPPARAM* record, unsigned short area, unsigned int address,
                           int value) {
  if (!record) return quorra::kInvalidCommand;
  const auto session = sessionOf(*record);
  if (!session) return fail(record, quorra::kNotOpen);
  return fail(record, session->setBit(area, address, value));
}

}  // extern "C"
