#pragma once
// Tessor's Prompt: a message box on the user-interface thread, also when the
// polling worker asks (it waits for the answer).
#include <QPointer>
#include <QWidget>

#include "tessor/core/prompt.h"
#include "orvane/widgets/gui_thread_calls.h"

namespace tessor {

// The message box itself, on the calling (GUI) thread, with Chinese buttons.
PromptAnswer showMessageBox(QWidget* parent, const PromptMessage& message);

class QtPrompt final : public Prompt {
 public:
  explicit QtPrompt(orvane::GuiThreadCalls& calls) : calls_(calls) {}
  void setParentWindow(QWidget* window) { parent_ = window; }  // before any worker starts
  PromptAnswer ask(const PromptMessage& message) override;

 private:
  orvane::GuiThreadCalls& calls_;
  QPointer<QWidget> parent_;
};

}  // namespace tessor
