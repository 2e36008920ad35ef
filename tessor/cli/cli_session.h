#pragma once
// One request of tessor-cli through Tessor's own core: the window's fields and
// data table filled from the command line, the core's checks run before
// anything is sent, then the connection and the request.
#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

#include "tessor/cli/cli_options.h"
#include "tessor/cli/value_types.h"
#include "tessor/core/data_table.h"
#include "tessor/core/modbus_session.h"
#include "tessor/core/prompt.h"
#include "tessor/core/quorra_api.h"

namespace tessor::cli {

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

// The core's messages, kept instead of shown: the command decides what to print.
class RecordingPrompt final : public Prompt {
 public:
  PromptAnswer ask(const PromptMessage& message) override;
  std::string lastText() const;  // without the leading and trailing line breaks

 private:
  mutable std::mutex mutex_;
  std::string last_;  // guarded by mutex_
};

// The fields a request selects or sets belong to no window here.
class NoFields final : public RequestView {
 public:
  void selectStartAddress() override {}
  void selectLength() override {}
  void setLengthText(const std::string&) override {}
};

// Quorra as linked, remembering the status of its last call: the error code of
// a failed request, also of a failed open, which the core only shows as text.
class ObservedQuorra final : public QuorraApi {
 public:
  std::uint16_t open(tagPPARAM& record) override;
  std::uint16_t close(tagPPARAM& record) override;
  std::uint16_t read(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                     std::uint16_t* buffer, std::int16_t count) override;
  std::uint16_t write(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                      const std::uint16_t* buffer, std::int16_t count) override;
  std::uint16_t setBit(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                       int value) override;
  std::uint16_t lastStatus() const { return last_; }
  int calls() const { return calls_; }

 private:
  std::uint16_t note(std::uint16_t status);
  std::atomic<std::uint16_t> last_{0};
  std::atomic<int> calls_{0};
};

// What a read, write or poll asks for, after its options are taken.
struct RequestPlan {
  std::string start;  // the register name, e.g. R2000
  int registerType = 0;
  int functionCode = 3;
  int format = 1;  // 0 octal, 1 decimal, 2 hexadecimal
  ValueLayout layout;
  int values = 1;  // the number of values (32-bit values take two registers each)
  bool json = false;
  int words() const { return values * wordsPerValue(layout.type); }
};

class CliSession {
 public:
  explicit CliSession(const Connection& connection);
  // The window's fields and table as the plan gives them; `cells` are the data
  // cells' texts for a write.
  void setUp(const RequestPlan& plan, const std::vector<std::string>& cells);
  // ParseStartAddress and the window's input check (for a write with the
  // table's validation): false after a message, and nothing was sent.
  bool check(bool forRead);
  // 0 connected; otherwise the exit status, the reason printed.
  int connect(const RequestPlan& plan, Streams streams);
  // The exit status of a request result, the failure printed.
  int failure(const RequestPlan& plan, int result, Streams streams);
  // The name of value i: the octal numbering of the table's labels.
  std::string valueName(const RequestPlan& plan, int i) const;

  RecordingPrompt prompt;
  DataTable table;
  NoFields view;
  ObservedQuorra quorra;
  ModbusSession session{quorra, table, prompt, view};

 private:
  Connection connection_;
};

// The error of a failed exchange: on standard error, and in --json as the
// object's "error".
void printError(const RequestPlan& plan, std::uint16_t code, const std::string& text, Streams streams);

}  // namespace tessor::cli
