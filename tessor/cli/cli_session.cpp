#include "tessor/cli/cli_session.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "tessor/core/error_text.h"
#include "tessor/core/number_text.h"
#include "tessor/core/register_map.h"

namespace tessor::cli {

PromptAnswer RecordingPrompt::ask(const PromptMessage& message) {
  std::lock_guard lock(mutex_);
  last_ = message.text;
  return PromptAnswer::Ok;
}

std::string RecordingPrompt::lastText() const {
  std::lock_guard lock(mutex_);
  const auto first = last_.find_first_not_of('\n');
  if (first == std::string::npos) return {};
  return last_.substr(first, last_.find_last_not_of('\n') - first + 1);
}

std::uint16_t ObservedQuorra::note(std::uint16_t status) {
  ++calls_;
  last_ = status;
  return status;
}

std::uint16_t ObservedQuorra::open(tagPPARAM& record) { return note(linkedQuorra().open(record)); }
std::uint16_t ObservedQuorra::close(tagPPARAM& record) { return linkedQuorra().close(record); }
std::uint16_t ObservedQuorra::read(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                                   std::uint16_t* buffer, std::int16_t count) {
  return note(linkedQuorra().read(record, area, address, buffer, count));
}
std::uint16_t ObservedQuorra::write(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                                    const std::uint16_t* buffer, std::int16_t count) {
  return note(linkedQuorra().write(record, area, address, buffer, count));
}
std::uint16_t ObservedQuorra::setBit(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                                     int value) {
  return note(linkedQuorra().setBit(record, area, address, value));
}

CliSession::CliSession(const Connection& connection) : connection_(connection) {}

void CliSession::setUp(const RequestPlan& plan, const std::vector<std::string>& cells) {
  const std::string length = std::to_string(plan.words());
  table.setStartAddress(plan.start);
  table.setSelectedFormat(plan.format);
  table.setPreviousFormat(plan.format);
  table.Relayout(plan.words(), false);
  const int columns = table.columnsPerRow();
  for (std::size_t i = 0; i < cells.size(); ++i)
    table.setCell(static_cast<int>(i) / columns + 1, static_cast<int>(i) % columns + 1, cells[i]);
  session.setFields({plan.start, length, plan.format});
}

bool CliSession::check(bool forRead) {
  if (!ParseStartAddress(session.fields().startAddress, prompt)) return false;
  return session.InputCheck(forRead);
}

int CliSession::connect(const RequestPlan& plan, Streams streams) {
  ConnectionFields fields;
  fields.ip = connection_.ip;
  fields.port = connection_.port;
  fields.station = connection_.station;
  fields.retries = connection_.retries;
  fields.timeout = connection_.timeout;
  fields.polling = connection_.polling;
  if (session.Connect(fields)) return kExitOk;
  if (quorra.calls() == 0) {  // refused before opening: no address
    streams.err << "tessor-cli: " << prompt.lastText() << '\n';
    return kExitUsage;
  }
  streams.err << "tessor-cli: 打开错误\n";
  printError(plan, quorra.lastStatus(), ErrorText(quorra.lastStatus()), streams);
  return kExitFailure;
}

int CliSession::failure(const RequestPlan& plan, int result, Streams streams) {
  switch (result) {
    case kRequestOk: return kExitOk;
    case kRequestFailed:
      printError(plan, quorra.lastStatus(), session.snapshot().statusText, streams);
      return kExitFailure;
    case kRequestRejected:
      streams.err << "tessor-cli: " << prompt.lastText() << '\n';
      return kExitUsage;
    default:  // the table's values did not collect: the window drops such a write silently
      streams.err << "tessor-cli: 表格数据无法转换，未发送\n";
      return kExitUsage;
  }
}

std::string CliSession::valueName(const RequestPlan& plan, int i) const {
  const RegisterType& type = kRegisterTypes[static_cast<std::size_t>(plan.registerType)];
  const std::uint64_t first = startRegisterNumber(plan.start, plan.registerType);
  const auto offset = static_cast<std::uint64_t>(i) * static_cast<std::uint64_t>(wordsPerValue(plan.layout.type));
  return std::string(type.name) + formatNumber(first + offset, 8);
}

void printError(const RequestPlan& plan, std::uint16_t code, const std::string& text, Streams streams) {
  streams.err << "tessor-cli: 错误 " << code << ": " << text << '\n';
  if (!plan.json) return;
  const nlohmann::json object = {{"start", plan.start},
                                 {"function", plan.functionCode},
                                 {"error", {{"code", code}, {"text", text}}}};
  streams.out << object.dump() << '\n';
}

}  // namespace tessor::cli
