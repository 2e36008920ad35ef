#pragma once
// The editor's UiPort: each call of the core becomes a call of a window's
// handler on the user-interface thread. POSTED calls are queued and return
// at once; SENT calls wait for the handler (see GuiThreadCalls). A posted
// call whose window has gone by the time it runs is dropped.
#include <QPointer>
#include <atomic>
#include <mutex>

#include "gui_thread_calls.h"
#include "orvane/protocol/ui_port.h"

namespace orvane {

class CMainFrame;
class COrvaneView;

class QtUiPort final : public UiPort {
 public:
  explicit QtUiPort(GuiThreadCalls& calls) : calls_(calls) {}

  // The windows, once they exist (their status bar panes included); on the
  // user-interface thread, before any worker starts. Until then every call
  // finds no window and does nothing.
  void attach(CMainFrame& frame, COrvaneView& view);

  void refreshList(int row) override;
  void statusPosted() override;
  void setStatusText() override;
  void showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions) override;
  void showInterface(const std::string& interfaceName) override;
  void selectionState(int protocolType, std::uint8_t runMode) override;
  void progress(int percent) override;
  void busyIndicator(bool on) override;
  bool hasProgressControl() const override { return attached_; }
  void portButton(const std::string& text, bool enabled) override;
  bool hasPortButton() const override { return attached_; }
  void waitCursor(bool on) override;
  void setRowText(int row, int column, const std::string& text) override;
  std::string rowMacText(int row) override;

 private:
  GuiThreadCalls& calls_;
  // Written once by attach() before any worker exists; read by posted and
  // sent calls on the user-interface thread.
  QPointer<CMainFrame> frame_;
  QPointer<COrvaneView> view_;
  std::atomic<bool> attached_{false};
  // Operations nest their wait cursors (a serial read inside a scan): the
  // cursor goes when the outermost one ends.
  std::mutex cursorMutex_;
  int cursorDepth_ = 0;  // guarded by cursorMutex_
};

}  // namespace orvane
