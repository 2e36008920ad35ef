#pragma once
// The editor's SettingsDialogs: CDlgGeneralSet, CDlgAdvancedSet and
// CDlgP2PConfig, each run modally on the user-interface thread. The flows
// of both routes call them there; a call from another thread waits in a
// sent call until the dialog has ended.
#include <QPointer>
#include <QWidget>

#include "orvane/widgets/gui_thread_calls.h"
#include "orvane/protocol/prompt.h"
#include "orvane/protocol/settings_dialogs.h"

namespace orvane {

class QtSettingsDialogs final : public SettingsDialogs {
 public:
  QtSettingsDialogs(GuiThreadCalls& calls, Prompt& prompt) : calls_(calls), prompt_(prompt) {}

  // The window the dialogs belong to; user-interface thread.
  void setParentWindow(QWidget* window) { parent_ = window; }

  bool editBasicSettings(ModuleRecord& record, int protocolType) override;
  bool editAdvancedSettings(AdvancedSettings& settings) override;
  bool editPeerTable(std::vector<PeerEntry>& entries) override;

 private:
  GuiThreadCalls& calls_;
  Prompt& prompt_;
  QPointer<QWidget> parent_;  // user-interface thread only
};

}  // namespace orvane
