#include "main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QUrl>

#include "busy_indicator.h"
#include "dlg_config.h"
#include "dlg_help.h"
#include "dlg_info.h"
#include "dlg_progress.h"
#include "frame_commands.h"
#include "frame_texts.h"
#include "main_status_bar.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/widgets/dock_page_bar.h"
#include "orvane/widgets/svg_icon.h"
#include "orvane/widgets/tool_bar_ex.h"
#include "orvane_view.h"
#include "qt_prompt.h"
#include "qt_text.h"
#include "shell_texts.h"
#include "trax_version.h"

namespace orvane {

CMainFrame::CMainFrame(OrvaneViewCore& core, std::function<void()> workerPump)
    : core_(core),
      view_(new COrvaneView(core, std::move(workerPump), this)),
      actions_(createFrameActions(*this)),
      toolBar_(new CToolBarEx(QString(), this)),
      status_(new MainStatusBar(this)) {
  // The suite's version from the build, and "DebugVersion" from Lumen_.ini,
  // until the application object gives the version texts it has read.
  setVersion({"ORVANE", "",
              {TRAX_VERSION_MAJOR, TRAX_VERSION_MINOR, TRAX_VERSION_PATCH, TRAX_VERSION_TWEAK},
              core_.config().readInt("DebugVersion")});
  setWindowIcon(svgIcon(QStringLiteral(":/icons/logo.svg")));
  setCentralWidget(view_);
  buildMenus(*menuBar(), actions_);
  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
  toolBar_->setObjectName(QStringLiteral("ToolBar"));
  buildToolBar(*toolBar_, actions_);
  addToolBar(Qt::TopToolBarArea, toolBar_);
  setStatusBar(status_);
  if (const auto failed = status_->buildPanes(); !failed.empty())
    showMessageBox(this, failed, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
  createDockBar();
  registerFrameCommands();
  for (const auto& [id, action] : actions_)
    connect(action, &QAction::triggered, this, [this, id = id] { onCommand(id); });
  connect(config_, &CDlgConfig::command, this, &CMainFrame::onCommand);
  connect(&status_->portButton(), &QPushButton::clicked, view_, &COrvaneView::choosePort);
  connect(view_, &COrvaneView::commandStateChanged, this, &CMainFrame::updateCommandStates);
  connect(view_, &COrvaneView::firmwareUpgradeStarted, this, &CMainFrame::runProgressDialog);
  connect(view_, &COrvaneView::progress, this, &CMainFrame::progress);
  updateCommandStates();
}

// QWidget's destructor hides the children; their signals must not reach
// the parts of this window that are already gone.
CMainFrame::~CMainFrame() {
  waitCursor(false);
  disconnect(dock_, nullptr, this, nullptr);
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) disconnect(menu, nullptr, this, nullptr);
}

// The four pages, in this order, as modeless panels of one bar at the bottom.
void CMainFrame::createDockBar() {
  dock_ = new CDockPageBar(QStringLiteral("DockPageBar"), QSize(160, 160), this);
  info_ = new CDlgInfo;
  config_ = new CDlgConfig;
  const QString programDirectory = QString::fromStdU16String(core_.config().directory().u16string());
  helpE_ = new CDlgHelpE(programDirectory);
  helpG_ = new CDlgHelpG(programDirectory);
  dock_->addPage(info_, qtText(frame_texts::kPageInfo), svgIcon(":/icons/page_info.svg"));
  dock_->addPage(config_, qtText(frame_texts::kPageConfig), svgIcon(":/icons/page_config.svg"));
  dock_->addPage(helpE_, qtText(frame_texts::kPageModuleHelp),
                 svgIcon(":/icons/page_module_help.svg"));
  dock_->addPage(helpG_, qtText(frame_texts::kPageSoftwareHelp),
                 svgIcon(":/icons/page_software_help.svg"));
  addAutoHideDock(dock_, Qt::BottomDockWidgetArea, svgIcon(":/icons/page_info.svg"));
  connect(dock_, &QDockWidget::visibilityChanged, this, &CMainFrame::updateCommandStates);
}

void CMainFrame::registerFrameCommands() {
  handlers_[kCmdExit] = [this] { close(); };
  // The view's commands: the route, the scan, the selected module's and the list's hand-offs.
  for (const int id : {kCmdRouteTcpIp, kCmdRouteSerial, kCmdFindModules, kCmdBasicSettings,
                       kCmdAdvancedSettings, kCmdPeerSettings, kCmdFirmwareUpgrade,
                       kCmdFactoryRestore, kCmdExport, kCmdTest})
    handlers_[id] = [this, id] { view_->runCommand(id); };
  handlers_[kCmdToolBar] = [this] { toolBar_->setVisible(toolBar_->isHidden()); };
  handlers_[kCmdStatusBar] = [this] { status_->setVisible(status_->isHidden()); };
  handlers_[kCmdSettingsBar] = [this] {
    if (dock_->isHidden() || autoHidden(dock_))
      setAutoHidden(dock_, false);
    else
      dock_->hide();
  };
  handlers_[kCmdAbout] = [this] { showAbout(); };
  handlers_[kCmdHelp] = [this] { openHelpFiles(); };
}

QAction* CMainFrame::action(int command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::setVersion(const FrameVersion& version) {
  version_ = version;
  setWindowTitle(qtText(frameTitle(version.productName, version.numbers, version.debugVersion)));
}

void CMainFrame::onCommand(int command) {
  const auto found = handlers_.find(command);
  if (found != handlers_.end() && found->second) found->second();
  updateCommandStates();
}

CommandContext CMainFrame::commandContext() const {
  CommandContext context = view_->commandContext();
  context.toolBarShown = !toolBar_->isHidden();
  context.statusBarShown = !status_->isHidden();
  context.settingsBarShown = dock_ && !dock_->isHidden();
  return context;
}

void CMainFrame::updateCommandStates() { applyCommandState(actions_, commandContext()); }

void CMainFrame::showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions) {
  info_->showVersions(runMode, versions);
}

void CMainFrame::showInterface(const std::string& interfaceName) {
  info_->showInterface(interfaceName);
}

void CMainFrame::selectionState(int protocolType, std::uint8_t runMode) {
  info_->showRowsFor(protocolType);
  config_->selectionState(protocolType, runMode);
  updateCommandStates();
}

void CMainFrame::setStatusText() { status_->setMessage(qtText(core_.status().pending())); }

void CMainFrame::showRoute(int protocolType, int portCom) {
  if (protocolType == kProtocolSerial)
    portButton(QStringLiteral("COM%1").arg(portCom), true);
  else
    portButton(qtText(shell_texts::kPortButtonTcpIp), false);
}

void CMainFrame::portButton(const QString& text, bool enabled) {
  status_->setPortButton(text, enabled);
}

void CMainFrame::busyIndicator(bool on) { status_->busyIndicator().setBusy(on); }

void CMainFrame::waitCursor(bool on) {
  if (on == waitCursor_) return;
  waitCursor_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void CMainFrame::runProgressDialog(int latest) {
  CDlgProgress dialog(latest, this);
  progress_ = &dialog;
  dialog.exec();
  progress_ = nullptr;
}

CDlgProgress* CMainFrame::progressDialog() const { return progress_.data(); }

void CMainFrame::progress(int percent) {
  if (progress_) progress_->progress(percent);
}

void CMainFrame::showAbout() {
  CAboutDlg about(version_, this);
  about.exec();
}

// "HelpFiles" names a document the desktop opens with its own program; a
// name without a directory is looked for in the program directory. An empty
// or wrong name opens nothing and says nothing.
void CMainFrame::openHelpFiles() {
  const QString name = qtText(core_.config().readText("HelpFiles"));
  if (name.isEmpty()) return;
  const QDir programDirectory(QString::fromStdU16String(core_.config().directory().u16string()));
  QDesktopServices::openUrl(QUrl::fromLocalFile(programDirectory.absoluteFilePath(name)));
}

// The prompts of menu items and toolbar buttons go into the message pane,
// leaving the other panes in view.
bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    status_->showPrompt(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return CAutoHideFrame::event(event);
}

// The view asks while a serial operation runs, sets the closing flag and
// waits for the operation to end.
void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!view_->queryClose()) {
    event->ignore();
    return;
  }
  waitCursor(false);
  QMainWindow::closeEvent(event);
}

}  // namespace orvane
