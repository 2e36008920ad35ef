#pragma once
// A prompt for tests: records every message and answers from a script (OK when
// the script is empty). Safe to use from the polling worker's thread.
#include <deque>
#include <mutex>
#include <vector>

#include "tessor/core/prompt.h"

namespace tessor::testing {

class RecordingPrompt : public Prompt {
 public:
  PromptAnswer ask(const PromptMessage& message) override {
    std::lock_guard lock(mutex_);
    messages_.push_back(message);
    if (answers_.empty()) return PromptAnswer::Ok;
    const PromptAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  void script(PromptAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
  }
  std::vector<PromptMessage> messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages()) out.push_back(m.text);
    return out;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<PromptMessage> messages_;
  std::deque<PromptAnswer> answers_;
};

}  // namespace tessor::testing
