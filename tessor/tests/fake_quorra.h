#pragma once
// A scripted Quorra for tests of the core: records each call and answers with
// the next scripted status (0 when none is left), leaving it in the record as
// the library does. Reads fill the buffer from `readValue`.
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tessor/core/quorra_api.h"

namespace tessor::testing {

struct QuorraCall {
  std::string kind;  // open, close, read, write, setBit
  std::uint16_t area = 0;
  std::uint32_t address = 0;
  int count = 0;
  std::vector<std::uint16_t> words;  // written words (ceil(count / 16) for coils)
  int value = 0;                     // setBit
};

class FakeQuorra : public QuorraApi {
 public:
  std::function<std::uint16_t(std::size_t index, std::size_t call)> readValue =
      [](std::size_t index, std::size_t) { return static_cast<std::uint16_t>(index); };
  std::function<void()> duringRequest;  // runs inside every read/write/setBit

  void script(std::uint16_t status) {
    std::lock_guard lock(mutex_);
    statuses_.push_back(status);
  }
  std::vector<QuorraCall> calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  std::size_t requestCount() const {
    std::size_t n = 0;
    for (const auto& c : calls()) n += c.kind != "open" && c.kind != "close";
    return n;
  }

  std::uint16_t open(tagPPARAM& record) override { return answer(record, callOf("open")); }
  std::uint16_t close(tagPPARAM& record) override { return answer(record, callOf("close")); }
  std::uint16_t read(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                     std::uint16_t* buffer, std::int16_t count) override {
    if (duringRequest) duringRequest();
    const std::size_t call = requestCount();
    const bool bits = area == kAreaCoils || area == kAreaDiscreteInputs;
    const std::size_t words = bits ? (static_cast<std::size_t>(count) + 15) / 16 : static_cast<std::size_t>(count);
    for (std::size_t i = 0; i < words; ++i) buffer[i] = readValue(i, call);
    return answer(record, callOf("read", area, address, count));
  }
  std::uint16_t write(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                      const std::uint16_t* buffer, std::int16_t count) override {
    if (duringRequest) duringRequest();
    const std::size_t words = area == kAreaCoils ? (static_cast<std::size_t>(count) + 15) / 16
                                                 : static_cast<std::size_t>(count);
    return answer(record, callOf("write", area, address, count, {buffer, buffer + words}));
  }
  std::uint16_t setBit(tagPPARAM& record, std::uint16_t area, std::uint32_t address,
                       int value) override {
    if (duringRequest) duringRequest();
    return answer(record, callOf("setBit", area, address, 1, {}, value));
  }

 private:
  static QuorraCall callOf(std::string kind, std::uint16_t area = 0, std::uint32_t address = 0,
                           int count = 0, std::vector<std::uint16_t> words = {}, int value = 0) {
    QuorraCall call;
    call.kind = std::move(kind);
    call.area = area;
    call.address = address;
    call.count = count;
    call.words = std::move(words);
    call.value = value;
    return call;
  }
  std::uint16_t answer(tagPPARAM& record, QuorraCall call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
    std::uint16_t status = 0;
    if (!statuses_.empty()) {
      status = statuses_.front();
      statuses_.pop_front();
    }
    if (status != 0) pparam::setU16(record, pparam::kErrorCode, status);
    return status;
  }

  mutable std::mutex mutex_;
  std::vector<QuorraCall> calls_;
  std::deque<std::uint16_t> statuses_;
};

}  // namespace tessor::testing
