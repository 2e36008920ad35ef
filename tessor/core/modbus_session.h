#pragma once
// Tessor's connection and function-code requests: the communication record, the
// exchange buffer and the status text, and the operations Connect, Disconnect,
// ReadRequest, WriteRequest and InputCheck.
//
// Threads: requests never overlap. Each one holds the session (requestMutex_)
// from start to end, whether a button or the polling worker makes it, so a button
// pressed while the worker finishes its last request after Stop waits for it.
// The request works on work_ and the record; what other threads may read is
// published into shared_ under mutex_, whole (buffer, count, status text and the
// counts of one cycle together), and read back with snapshot().
//
// A request of the worker may call the prompt and the RequestView, which the
// window runs on its own thread: so the GUI thread must never wait for the
// session while the worker holds it. The window therefore enables the buttons
// that make requests (function codes, connect) only while requestInFlight() is
// false; see PollingWorker for when it learns that it has become so.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
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
  void resetCounts();

  // True while a request holds the session or waits for it.
  bool requestInFlight() const { return inFlight_.load() > 0; }

  // The polling worker's request. It counts as in flight before `running` is
  // looked at, inside the session: so once Stop has cleared `running` and no
  // request is in flight, the worker makes no further one. Empty when `running`
  // was clear and nothing ran. Its results are held back for publishPolled(), so
  // that they appear together with the cycle's counts; any other request
  // publishes its results as it ends.
  std::optional<int> pollingRequest(const std::atomic<bool>& running,
                                    const std::function<int()>& request);
  // Publishes the held results with `amend` applied, unless `running` is clear by
  // then: a button pressed after Stop may already have published newer ones.
  void publishPolled(const std::atomic<bool>& running,
                     const std::function<void(SharedState&)>& amend);

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
  // One request's hold on the session, counted as in flight from before it waits.
  class RequestTurn {
   public:
    explicit RequestTurn(ModbusSession& session) : session_(session) {
      ++session_.inFlight_;
      session_.requestMutex_.lock();
    }
    ~RequestTurn() {
      session_.requestMutex_.unlock();
      --session_.inFlight_;
    }
    RequestTurn(const RequestTurn&) = delete;
    RequestTurn& operator=(const RequestTurn&) = delete;

   private:
    ModbusSession& session_;
  };
  void publish();
  void copyWorkToShared();  // with mutex_ held
  int validateRequest(bool forRead);
  int prepareWrite(std::uint16_t area, bool single, bool validate);
  int finish(std::uint16_t status, const char* operation);
  void fillRecord(const ConnectionFields& fields);
  void setStatus(std::string text);

  QuorraApi& quorra_;
  DataTable& table_;
  Prompt& prompt_;
  RequestView& view_;
  // Recursive because the worker's request holds the session around the
  // ReadRequest or WriteRequest that takes it again.
  std::recursive_mutex requestMutex_;
  std::atomic<int> inFlight_{0};
  tagPPARAM record_{};  // guarded by requestMutex_
  std::unique_ptr<std::array<unsigned char, 4>> block_;  // guarded by requestMutex_
  std::atomic<bool> connected_{false};  // written under requestMutex_
  Work work_;                 // guarded by requestMutex_
  bool holdResults_ = false;  // guarded by requestMutex_: inside pollingRequest
  mutable std::mutex mutex_;  // taken after requestMutex_ when both are held
  SharedState shared_;   // guarded by mutex_
  RequestFields fields_;  // guarded by mutex_
};

}  // namespace tessor
