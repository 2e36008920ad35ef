#include "tessor/core/modbus_session.h"

#include <algorithm>

#include "tessor/core/error_text.h"
#include "tessor/core/number_text.h"
#include "tessor/core/register_map.h"

namespace tessor {

int lengthOfText(const std::string& text, int limit) {
  return static_cast<int>(std::min<std::uint64_t>(convertNumber(text, 10).value,
                                                  static_cast<std::uint64_t>(limit)));
}

ModbusSession::ModbusSession(QuorraApi& quorra, DataTable& table, Prompt& prompt,
                             RequestView& view)
    : quorra_(quorra), table_(table), prompt_(prompt), view_(view) {}

ModbusSession::~ModbusSession() {
  if (connected_) quorra_.close(record_);
  block_.reset();
}

void ModbusSession::setFields(RequestFields fields) {
  std::lock_guard lock(mutex_);
  fields_ = std::move(fields);
}

RequestFields ModbusSession::fields() const {
  std::lock_guard lock(mutex_);
  return fields_;
}

void ModbusSession::fillRecord(const ConnectionFields& f) {
  using namespace pparam;
  for (std::size_t i = 0; i < 4; ++i) record_.raw[kServerAddress + i] = f.ip[i];
  setU8(record_, kMode72, 2);
  setU16(record_, kTcpPort, f.port);
  block_ = std::make_unique<std::array<unsigned char, 4>>();
  setPointer(record_, kBlockPointer, block_->data());
  const std::uint8_t flags[5] = {0x40, 0x40, 0, 0, 0};
  for (std::size_t i = 0; i < 5; ++i) setU8(record_, kFlags176 + i, flags[i]);
  setU16(record_, kTimeoutMs, static_cast<std::uint16_t>(f.timeout * 100));
  setU16(record_, kPollingMs, static_cast<std::uint16_t>(f.polling));
  setU8(record_, kRetries, static_cast<std::uint8_t>(f.retries));
  setU16(record_, kStation, static_cast<std::uint16_t>(f.station));
}

bool ModbusSession::Connect(const ConnectionFields& f) {
  const RequestTurn turn(*this);
  if (connected_) return false;
  if (f.ip == std::array<std::uint8_t, 4>{}) {
    warn(prompt_, "请输入IP地址!");
    return false;
  }
  if (f.station < 0 || f.station > 255 || f.retries < 0 || f.retries > 10 || f.timeout < 1 ||
      f.timeout > 255 || f.polling < 0 || f.polling > 3000)
    return false;
  fillRecord(f);
  if (const std::uint16_t code = quorra_.open(record_); code != 0) {
    pparam::setPointer(record_, pparam::kBlockPointer, nullptr);
    block_.reset();
    warn(prompt_, "打开错误\n" + ErrorText(code));
    return false;
  }
  connected_ = true;
  setStatus("连接");
  return true;
}

bool ModbusSession::Disconnect() {
  const RequestTurn turn(*this);
  if (!connected_) return false;
  if (const std::uint16_t code = quorra_.close(record_); code != 0) {
    warn(prompt_, "关闭错误\n" + ErrorText(code));
    return false;
  }
  pparam::setPointer(record_, pparam::kBlockPointer, nullptr);
  block_.reset();
  connected_ = false;
  setStatus("断开");
  return true;
}

void ModbusSession::setStatus(std::string text) {
  work_.statusText = std::move(text);
  if (!holdResults_) publish();
}

SharedState ModbusSession::snapshot() const {
  std::lock_guard lock(mutex_);
  return shared_;
}

void ModbusSession::copyWorkToShared() {
  shared_.buffer = work_.buffer;
  shared_.lastCount = work_.lastCount;
  shared_.lastWasRead = work_.lastWasRead;
  shared_.statusText = work_.statusText;
}

void ModbusSession::publish() {
  std::lock_guard lock(mutex_);
  copyWorkToShared();
}

std::optional<int> ModbusSession::pollingRequest(const std::atomic<bool>& running,
                                                 const std::function<int()>& request) {
  const RequestTurn turn(*this);
  if (!running) return std::nullopt;
  holdResults_ = true;
  const int result = request();
  holdResults_ = false;
  return result;
}

void ModbusSession::publishPolled(const std::atomic<bool>& running,
                                  const std::function<void(SharedState&)>& amend) {
  const std::lock_guard turn(requestMutex_);
  // `running` is looked at under mutex_, which Stop's resetCounts also takes:
  // counts of a stopped run stay at the 0 that Stop left.
  std::lock_guard lock(mutex_);
  if (!running) return;
  copyWorkToShared();
  amend(shared_);
}

void ModbusSession::resetCounts() {
  std::lock_guard lock(mutex_);
  shared_.scanCount = 0;
  shared_.errorCount = 0;
}

// ParseStartAddress, then InputCheck; the parsed address is kept for the
// requests that follow without validation.
int ModbusSession::validateRequest(bool forRead) {
  const auto address = ParseStartAddress(fields().startAddress, prompt_);
  if (!address) {
    view_.selectStartAddress();
    return kRequestRejected;
  }
  work_.startAddress = *address;
  return InputCheck(forRead) ? kRequestOk : kRequestRejected;
}

int ModbusSession::finish(std::uint16_t status, const char* operation) {
  if (status == 0) {
    work_.statusText = operation;
  } else {
    work_.statusText = ErrorText(pparam::u16(record_, pparam::kErrorCode));
  }
  if (!holdResults_) publish();
  return status == 0 ? kRequestOk : kRequestFailed;
}

int ModbusSession::ReadRequest(std::uint16_t area, bool validate) {
  const RequestTurn turn(*this);
  work_.lastWasRead = true;
  if (validate) {
    if (const int rejected = validateRequest(true)) return rejected;
  }
  const char* operation = nullptr;
  int limit = kMaxBitLength;
  switch (area) {
    case kAreaCoils: operation = "读线圈"; break;
    case kAreaDiscreteInputs: operation = "读离散输入"; break;
    case kAreaHoldingRegisters: operation = "读保持寄存器"; limit = kMaxWordLength; break;
    case kAreaInputRegisters: operation = "读输入寄存器"; limit = kMaxWordLength; break;
    default: return kRequestNotMade;
  }
  const int length = lengthOfText(fields().length, limit);
  work_.statusText = operation;
  work_.lastCount = length;
  const std::uint16_t status = quorra_.read(record_, area, work_.startAddress, work_.buffer.data(),
                                            static_cast<std::int16_t>(length));
  return finish(status, operation);
}

}  // namespace tessor
