// The five exported calls. Connections live in a table keyed by a number that
// never repeats; the record's 4-byte block holds that number, so a stale or
// garbage block finds no connection instead of a dangling pointer. Each
// connection also remembers the block that opened it: the caller does not
// initialise the block, so a stray one may hold the number of another
// record's connection, and must not reach it.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "tessor/quorra/quorra.h"
#include "tessor/quorra/quorra_errors.h"
#include "tessor/quorra/quorra_session.h"

namespace {

using quorra::Session;

using Block = unsigned char*;

class SessionTable {
 public:
  std::uint32_t add(Block owner, std::shared_ptr<Session> session) {
    std::lock_guard lock(mutex_);
    const std::uint32_t handle = next_++;
    entries_[handle] = {owner, std::move(session)};
    return handle;
  }
  std::shared_ptr<Session> find(Block owner, std::uint32_t handle) {
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(handle);
    return it == entries_.end() || it->second.owner != owner ? nullptr : it->second.session;
  }
  // The session ends when the last call still using it returns.
  void remove(Block owner, std::uint32_t handle) {
    std::shared_ptr<Session> ending;
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(handle);
    if (it == entries_.end() || it->second.owner != owner) return;
    ending = std::move(it->second.session);
    entries_.erase(it);
  }
  // Whatever number the block holds: a connection it opened and did not close.
  void removeOwnedBy(Block owner) {
    std::shared_ptr<Session> ending;
    std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->second.owner != owner) continue;
      ending = std::move(it->second.session);
      entries_.erase(it);
      return;
    }
  }

 private:
  struct Entry {
    Block owner = nullptr;  // the block whose open made the connection
    std::shared_ptr<Session> session;
  };
  std::mutex mutex_;
  std::uint32_t next_ = 1;                  // guarded by mutex_
  std::map<std::uint32_t, Entry> entries_;  // guarded by mutex_
};

SessionTable& table() {
  static SessionTable instance;
  return instance;
}

Block block(const tagPPARAM& record) {
  return static_cast<Block>(pparam::pointer(record, pparam::kBlockPointer));
}

std::uint32_t handleIn(const unsigned char* b) {
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

void storeHandle(unsigned char* b, std::uint32_t handle) {
  for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(handle >> (8 * i));
}

// The four address bytes (network order) as libmodbus takes them.
std::string dottedAddress(const unsigned char* bytes) {
  std::string text;
  for (int i = 0; i < 4; ++i) text += (i ? "." : "") + std::to_string(bytes[i]);
  return text;
}

quorra::SessionConfig configOf(const tagPPARAM& record) {
  quorra::SessionConfig config;
  config.address = dottedAddress(record.raw + pparam::kServerAddress);
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
  const Block b = block(record);
  return b ? table().find(b, handleIn(b)) : nullptr;
}

}  // namespace

extern "C" {

unsigned short zCOMMOpen(tagPPARAM* record) {
  if (!record) return quorra::kInvalidCommand;
  const Block b = block(*record);
  if (!b) return fail(record, quorra::kNotOpen);
  table().removeOwnedBy(b);  // a connection left open on this block is replaced
  auto session = std::make_shared<Session>(configOf(*record));
  if (const auto code = session->open(); code != 0) {
    storeHandle(b, 0);
    return fail(record, code);
  }
  storeHandle(b, table().add(b, std::move(session)));
  return 0;
}

unsigned short zCOMMClose(tagPPARAM* record) {
  if (!record) return quorra::kInvalidCommand;
  const Block b = block(*record);
  if (!b) return 0;
  table().remove(b, handleIn(b));
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
