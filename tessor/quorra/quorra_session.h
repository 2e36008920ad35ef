#pragma once
// One Modbus TCP connection of Quorra over libmodbus, with the retry and
// reconnect rules of the library. Calls on one session are serialised by
// mutex_ (libmodbus contexts are not thread-safe).
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "tessor/quorra/quorra_frames.h"

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
  struct Attempt {
    std::uint16_t code = 0;
    bool answered = false;        // the server's own answer: not repeated
    bool connectionLost = false;  // may be a kept connection the server closed
  };
  // The request and, when it answers it, the reply in `reply`.
  std::uint16_t transact(const Request& request, std::vector<std::uint8_t>& reply);
  Attempt exchange(const Request& request, std::vector<std::uint8_t>& reply);
  int connectSocket();  // 0 or errno
  // The station as the unit identifier; open() has refused what libmodbus cannot send.
  std::uint8_t unit() const { return static_cast<std::uint8_t>(config_.station); }
  void dropConnection();

  std::mutex mutex_;
  SessionConfig config_;
  _modbus* ctx_ = nullptr;  // guarded by mutex_
  bool connected_ = false;  // guarded by mutex_
};

}  // namespace quorra
