#pragma once
// Fakes for the upgrade tests: a module with a boot loader behind the fake
// transport (with its faults), a clock that only moves when slept on, a
// prompt with scripted answers and file choices, and image files.
#include <array>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "orvane/firmware/upgrade_clock.h"
#include "orvane/protocol/prompt.h"
#include "orvane/protocol/tests/fake_modules.h"
#include "orvane/protocol/tests/image_file.h"

namespace orvane::testing {

// What the fake boot loader does wrong.
struct BootFaults {
  std::set<std::uint8_t> silent;              // codes it never answers
  std::map<std::uint8_t, std::uint8_t> result;  // write codes answered with this result byte
  int failBlock = 0;                          // block number answered with result 1
  bool silentAfterRestart = false;            // nothing after RestartModule's reply
  int bootInfoSilentFor = 0;                  // the first n ReadBootInfo go unanswered
};

// The module and its boot loader: discovery and reads as FakeModule gives
// them, EnterBootLoader and the download commands answered with result 0
// unless a fault says otherwise.
inline FakeTransport::Responder bootLoaderResponder(const FakeModule& module,
                                                    const BootFaults& faults = {}) {
  auto restarted = std::make_shared<bool>(false);
  auto bootInfoAsked = std::make_shared<int>(0);
  const auto reads = modulesResponder({module});
  return [=](const Bytes& frame) {
    std::vector<Arrival> arrivals;
    if (frame.size() < 4 || (*restarted && faults.silentAfterRestart)) return arrivals;
    const std::uint8_t code = frame[3];
    if (faults.silent.count(code)) return arrivals;
    if (code == 0xE1 && ++*bootInfoAsked <= faults.bootInfoSilentFor) return arrivals;
    if (code == 0x0C) return std::vector<Arrival>{Arrival::datagram(replyFrame(code, {0}))};
    if (code < 0xE3 || code > 0xE6) return reads(frame);
    std::uint8_t result = 0;
    if (const auto it = faults.result.find(code); it != faults.result.end()) result = it->second;
    if (code == 0xE4 && frame.size() > 12 && frame[11] + 256 * frame[12] == faults.failBlock) result = 1;
    if (code == 0xE6 && result == 0) *restarted = true;
    return std::vector<Arrival>{Arrival::datagram(replyFrame(code, {result}))};
  };
}

class FakeClock final : public UpgradeClock {
 public:
  TimePoint now() override {
    std::lock_guard lock(mutex_);
    return now_;
  }
  void sleepFor(std::chrono::milliseconds duration) override {
    std::lock_guard lock(mutex_);
    now_ += duration;
    slept_ += duration;
  }
  std::chrono::milliseconds slept() const {
    std::lock_guard lock(mutex_);
    return slept_;
  }

 private:
  mutable std::mutex mutex_;
  TimePoint now_{};
  std::chrono::milliseconds slept_{0};
};

// Answers boxes from a script (OK when it runs out) and file choices from
// another (cancelled when it runs out); records everything asked.
class UpgradePrompt final : public Prompt {
 public:
  struct Box {
    std::string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
  };
  struct FileChoice {
    std::filesystem::path initial;
    std::string filter;
  };
  std::deque<MessageAnswer> answers;
  std::deque<std::optional<std::filesystem::path>> files;
  std::function<void()> onBox;  // runs as each box is shown, before it is answered

  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override {
    if (onBox) onBox();
    std::lock_guard lock(mutex_);
    boxes_.push_back({std::string(text), std::string(caption), icon, buttons});
    if (answers.empty()) return MessageAnswer::Ok;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path& initial,
                                                  std::string_view filter) override {
    std::lock_guard lock(mutex_);
    choices_.push_back({initial, std::string(filter)});
    if (files.empty()) return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
  }
  std::optional<int> choosePort(int) override { return std::nullopt; }

  std::vector<Box> boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
  }
  std::vector<FileChoice> choices() const {
    std::lock_guard lock(mutex_);
    return choices_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<Box> boxes_;
  std::vector<FileChoice> choices_;
};

// An image of `size` bytes: magic, version at 32..35, a body that never ends
// in two 0xFF bytes, and the check byte.
inline std::vector<std::uint8_t> upgradeImage(std::size_t size, bool bootLoader = false,
                                              std::array<std::uint8_t, 4> version = {5, 0, 1, 4}) {
  auto image = firmwareImage(version, bootLoader ? "BOOTLOADER" : "M4-TRAX100", size);
  for (std::size_t i = 38; i + 1 < size; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  std::uint8_t check = 0;
  for (std::size_t i = 0; i + 1 < size; ++i) check ^= image[i];
  image.back() = check;
  return image;
}

}  // namespace orvane::testing
