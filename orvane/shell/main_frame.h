#pragma once
// The editor's main window: the module list as its client area, the
// module information panel docked at the bottom and the status bar.
//
// User-interface thread only; the worker reaches it through the UI port,
// which calls the handlers below (named after their window messages).
#include <QMainWindow>
#include <cstdint>
#include <functional>

#include "orvane/protocol/module_record.h"

class QDockWidget;

namespace orvane {

class CDlgInfo;
class COrvaneView;
class MainStatusBar;
class OrvaneViewCore;

class CMainFrame final : public QMainWindow {
  Q_OBJECT

 public:
  CMainFrame(OrvaneViewCore& core, std::function<void()> workerPump);
  ~CMainFrame() override;

  COrvaneView& view() { return *view_; }
  CDlgInfo& infoPanel() { return *info_; }
  MainStatusBar& statusPanes() { return *status_; }

  // UWM_SHOW_VERSIONS: the information panel shows the module's versions.
  void showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions);
  // UWM_SELECTION_STATE: the panels follow the route and the selected
  // module's run mode.
  void selectionState(int protocolType, std::uint8_t runMode);
  // UWM_SET_STATUS_TEXT: the pending status text into pane 1.
  void setStatusText();

  // The port button for a route: "TCP/IP" disabled, or "COMn" enabled.
  void showRoute(int protocolType, int portCom);
  void portButton(const QString& text, bool enabled);
  void busyIndicator(bool on);
  void waitCursor(bool on);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  OrvaneViewCore& core_;
  COrvaneView* view_;
  CDlgInfo* info_;
  QDockWidget* infoDock_;
  MainStatusBar* status_;
  bool waitCursor_ = false;  // whether this window has put up the wait cursor
};

}  // namespace orvane
