#include "closing_sequence.h"

#include <chrono>

#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

ClosingSequence::ClosingSequence(Prompt& prompt, ProcessFlags& flags)
    : prompt_(prompt), flags_(flags) {}

ClosingSequence::CommunicationScope::CommunicationScope(ClosingSequence& owner) : owner_(owner) {
  owner_.holder_ = std::this_thread::get_id();
  owner_.flags_.communicationBusy = true;
}

ClosingSequence::CommunicationScope::~CommunicationScope() { owner_.release(); }

void ClosingSequence::release() {
  std::function<void()> then;
  {
    std::lock_guard lock(mutex_);
    holder_ = std::thread::id{};
    flags_.communicationBusy = false;
    then.swap(deferredClose_);
  }
  if (then) then();
}

bool ClosingSequence::confirmClose() {
  if (flags_.communicationBusy) {
    const auto answer =
        prompt_.messageBox(texts::kCloseWhileCommunicating, texts::kCaptionWarning,
                           MessageIcon::Warning, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) return false;
  }
  flags_.closing = true;
  return true;
}

bool ClosingSequence::waitIdle(const std::function<void()>& pump, std::function<void()> then) {
  {
    std::lock_guard lock(mutex_);
    if (flags_.communicationBusy && holder_.load() == std::this_thread::get_id()) {
      deferredClose_ = std::move(then);
      return false;
    }
  }
  while (flags_.communicationBusy) {
    if (pump) pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace orvane
