#pragma once
// One Modbus TCP connection of Quorra over libmodbus, with the retry and
// reconnect rules of the library. Calls on one session are serialised by
// mutex_ (libmodbus contexts are not thread-safe).
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

struct _modbus;

namespace quorra {

struct SessionConfig {
  std::string address;      // dotted IPv4
  int port = 502;
  int timeoutMs = 1000;
  int retries = 0;          // repeats after the first attempt
  int station = 1;          // unit identifier
};

class Session {
 public:
  explicit Session(SessionConfig config);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  std::uint16_t open();  // 0 or an error code
  std::uint16_t read(std::uint16_t area, std::uint32_t address, std::uint16_t* buffer, int count);
  std::uint16_t write(std::uint16_t area, std::uint32_t address, const std::uint16_t* buffer,
                      int count);
  std::uint16_t setBit(std::uint16_t area, std::uint32_t address, int value);

 private:
  using Exchange = std::function<int(_modbus*)>;  // a libmodbus call: < 0 with errno on failure
  std::uint16_t transact(const Exchange& exchange);
  int connectSocket();  // 0 or errno
  void dropConnection();

  std::mutex mutex_;
  SessionConfig config_;
  _modbus* ctx_ = nullptr;  // guarded by mutex_
  bool connected_ = false;  // guarded by mutex_
};

}  // namespace quorra
