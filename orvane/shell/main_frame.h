#pragma once
// The editor's main window: menus, the text toolbar, the module list as its
// client area, the docking bar at the bottom with its four pages (module
// information, module configuration, module help, software help) and the
// status bar with its panes.
//
// User-interface thread only; the worker reaches it through the UI port,
// which calls the handlers below (named after their window messages).
// Commands are known by their ids; each runs the handler registered for it
// (the view's commands go to COrvaneView::runCommand), and their enabled and
// checked states come from applyCommandState.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>

#include "command_actions.h"
#include "dlg_about.h"
#include "orvane/protocol/module_record.h"
#include "orvane/widgets/auto_hide_frame.h"

namespace orvane {

class CDlgConfig;
class CDlgHelpE;
class CDlgHelpG;
class CDlgInfo;
class CDlgProgress;
class CDockPageBar;
class COrvaneView;
class CToolBarEx;
class MainStatusBar;
class OrvaneViewCore;

class CMainFrame final : public CAutoHideFrame {
  Q_OBJECT

 public:
  CMainFrame(OrvaneViewCore& core, std::function<void()> workerPump);
  ~CMainFrame() override;

  COrvaneView& view() { return *view_; }
  CDlgInfo& infoPanel() { return *info_; }
  CDlgConfig& configPanel() { return *config_; }
  CDlgHelpE& moduleHelpPanel() { return *helpE_; }
  CDlgHelpG& softwareHelpPanel() { return *helpG_; }
  CDockPageBar& dockBar() { return *dock_; }
  CToolBarEx& toolBar() { return *toolBar_; }
  MainStatusBar& statusPanes() { return *status_; }
  QAction* action(int command) const;
  const CommandActions& actions() const { return actions_; }

  // The title "ORVANE (Ver2.0.1.1)" and what the About box shows.
  void setVersion(const FrameVersion& version);

  // Runs the command: the handler registered for its id, else nothing.
  void onCommand(int command);
  // The route, the first selected row and its run mode, and the bars shown.
  CommandContext commandContext() const;
  // The menus' and toolbar's enabled and checked states, afresh.
  void updateCommandStates();

  // UWM_SHOW_VERSIONS: the information panel shows the module's versions.
  void showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions);
  // Before UWM_SHOW_VERSIONS: the interface the module answered on.
  void showInterface(const std::string& interfaceName);
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

  // The progress dialog, modal, opened on the latest progress the operation
  // has reported; it returns when 100 arrives (at once when it came first).
  void runProgressDialog(int latest);
  // UWM_PROGRESS to the open progress dialog, if any.
  void progress(int percent);
  CDlgProgress* progressDialog() const;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createDockBar();
  void registerFrameCommands();
  void showAbout();
  void openHelpFiles();

  OrvaneViewCore& core_;
  COrvaneView* view_;
  CommandActions actions_;
  std::map<int, std::function<void()>> handlers_;
  CToolBarEx* toolBar_;
  MainStatusBar* status_;
  CDockPageBar* dock_ = nullptr;
  CDlgInfo* info_ = nullptr;
  CDlgConfig* config_ = nullptr;
  CDlgHelpE* helpE_ = nullptr;
  CDlgHelpG* helpG_ = nullptr;
  QPointer<CDlgProgress> progress_;
  FrameVersion version_;
  bool waitCursor_ = false;  // whether this window has put up the wait cursor
};

}  // namespace orvane
