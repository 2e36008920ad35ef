#include "main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QPushButton>

#include "busy_indicator.h"
#include "dlg_info.h"
#include "main_status_bar.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane_view.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {

CMainFrame::CMainFrame(OrvaneViewCore& core, std::function<void()> workerPump)
    : core_(core),
      view_(new COrvaneView(core, std::move(workerPump), this)),
      info_(new CDlgInfo),
      infoDock_(new QDockWidget(qtText(shell_texts::kInfoPage), this)),
      status_(new MainStatusBar(this)) {
  setWindowTitle(qtText(shell_texts::kWindowTitle));
  setCentralWidget(view_);
  infoDock_->setObjectName(QStringLiteral("DockPageBar"));
  infoDock_->setWidget(info_);
  addDockWidget(Qt::BottomDockWidgetArea, infoDock_);
  setStatusBar(status_);
  connect(&status_->portButton(), &QPushButton::clicked, this,
          [this] { core_.selectSerialPort(); });
}

CMainFrame::~CMainFrame() { waitCursor(false); }

void CMainFrame::showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions) {
  info_->showVersions(runMode, versions);
}

void CMainFrame::selectionState(int protocolType, std::uint8_t /*runMode*/) {
  // The run mode enables the configuration panel's buttons once that panel exists.
  info_->showRowsFor(protocolType);
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
