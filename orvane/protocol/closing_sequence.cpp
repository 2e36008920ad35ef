#include "closing_sequence.h"

#include <chrono>
#include <thread>

#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

ClosingSequence::ClosingSequence(Prompt& prompt, ProcessFlags& flags)
    : prompt_(prompt), flags_(flags) {}

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
  if (flags_.deferCloseWhileHeldHere(std::move(then))) return false;
  while (flags_.communicationBusy) {
    if (pump) pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace orvane
