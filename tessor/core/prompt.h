#pragma once
// The one way Tessor's core shows a message box or asks a question. The window
// implements it on the GUI thread (a worker's call blocks until answered); tests
// script the answers and record caption, text, icon and buttons.
#include <string>

namespace tessor {

enum class PromptIcon { None, Information, Warning, Error };
enum class PromptButtons { Ok, OkCancel, YesNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct PromptMessage {
  std::string caption;
  std::string text;
  PromptIcon icon = PromptIcon::None;
  PromptButtons buttons = PromptButtons::Ok;
};

class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual PromptAnswer ask(const PromptMessage& message) = 0;
};

// The warning box every refusal of Tessor uses: caption "警告", OK only.
inline void warn(Prompt& prompt, const std::string& text) {
  prompt.ask({"警告", text, PromptIcon::Warning, PromptButtons::Ok});
}

}  // namespace tessor
