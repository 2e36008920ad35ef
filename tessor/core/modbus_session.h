#pragma once
// Tessor's connection and function-code requests: the communication record, the
// exchange buffer and the status text, and the operations Connect, Disconnect,
// ReadRequest, WriteRequest and InputCheck.
//
// Threads: requests run on one thread at a time (the GUI thread for buttons, the
// polling worker while polling, when the buttons are disabled). That thread works
// on work_; what other threads may read is published into shared_ under mutex_,
// whole (buffer, count, status text and counts of one cycle together), and read
// back with snapshot().
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "common/tag_pparam.h"
#include "tessor/core/data_table.h"
#include "tessor/core/prompt.h"
#include "tessor/core/quorra_api.h"

namespace tessor {

inline constexpr std::size_t kExchangeWords = 2000;
using ExchangeBuffer = std::array<std::uint16_t, kExchangeWords>;

enum RequestResult : int {
  kRequestOk = 0,
  kRequestRejected = 1,      // inputs refused, a message has been shown
  kRequestNotMade = 2,       // area not served by a read, or the table did not collect
  kRequestFailed = 3,        // Quorra reported an error; the status text holds its text
  kRequestWrongArea = 4,     // a write to an area other than coils or holding registers
};

// A length text converted as decimal as far as it converts, clamped to `limit`.
int lengthOfText(const std::string& text, int limit);

struct ConnectionFields {
  std::array<std::uint8_t, 4> ip{};  // 0.0.0.0: nothing entered
  int station = 1;
  int retries = 3;
  int timeout = 1;  // units of 100 ms
  int polling = 0;  // ms
  std::uint16_t port = 502;
};

struct RequestFields {
  std::string startAddress;
  std::string length;
  int format = 2;  // 0 octal, 1 decimal, 2 hexadecimal
};

// What a request does to the window's fields. Called on the requesting thread;
// the window marshals the calls onto its own thread.
class RequestView {
 public:
  virtual ~RequestView() = default;
  virtual void selectStartAddress() = 0;  // select the whole text and focus it
  virtual void selectLength() = 0;
  virtual void setLengthText(const std::string& text) = 0;  // the window then re-lays the table
};

struct SharedState {
  ExchangeBuffer buffer{};
  int lastCount = 0;
  bool lastWasRead = false;
  std::string statusText;
  int scanCount = 0;
  int errorCount = 0;
};

class ModbusSession {
 public:
  ModbusSession(QuorraApi& quorra, DataTable& table, Prompt& prompt, RequestView& view);
  ~ModbusSession();  // closes a connection still open and frees the block
  ModbusSession(const ModbusSession&) = delete;
  ModbusSession& operator=(const ModbusSession&) = delete;

  void setFields(RequestFields fields);  // the window's values, taken before each request
  RequestFields fields() const;

  bool Connect(const ConnectionFields& fields);
  bool Disconnect();
  bool connected() const { return connected_; }

  int ReadRequest(std::uint16_t area, bool validate);
  int WriteRequest(std::uint16_t area, bool single, bool validate);
  bool InputCheck(bool forRead);

  SharedState snapshot() const;
  // While polling, results wait for publish() so that they appear together with
  // the cycle's counts; otherwise every request publishes itself.
  void setDeferredPublish(bool deferred) { deferred_ = deferred; }
  void publish(const std::function<void(SharedState&)>& amend = {});
  void resetCounts();

  const tagPPARAM& record() const { return record_; }
  bool blockHeld() const { return block_ != nullptr; }

 private:
  struct Work {
    ExchangeBuffer buffer{};
    std::uint32_t startAddress = 0;
    std::int16_t writeCount = 0;  // registers: words; coils: the number of coils
    int lastCount = 0;
    bool lastWasRead = false;
    std::string statusText;
  };
  int validateRequest(bool forRead);
  int prepareWrite(std::uint16_t area, bool single, bool validate);
  int finish(std::uint16_t status, const char* operation);
  void fillRecord(const ConnectionFields& fields);
  void setStatus(std::string text);

  QuorraApi& quorra_;
  DataTable& table_;
  Prompt& prompt_;
  RequestView& view_;
  tagPPARAM record_{};  // used by the requesting thread only
  std::unique_ptr<std::array<unsigned char, 4>> block_;  // handed to Quorra at connect
  bool connected_ = false;
  Work work_;  // owned by the requesting thread
  std::atomic<bool> deferred_{false};
  mutable std::mutex mutex_;
  SharedState shared_;   // guarded by mutex_
  RequestFields fields_;  // guarded by mutex_
};

}  // namespace tessor
