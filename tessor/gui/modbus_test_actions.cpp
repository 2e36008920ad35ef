// What the main window's controls do: enabling, connecting, the function-code
// buttons, polling, the dialogs, the placement and the exit.
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QThread>

#include "orvane/widgets/ip_address_edit.h"
#include "tessor/core/function_requests.h"
#include "tessor/core/window_placement.h"
#include "tessor/gui/ip_address_dlg.h"
#include "tessor/gui/modbus_test_dlg.h"
#include "tessor/gui/qt_text.h"
#include "tessor/gui/start_address_dlg.h"
#include "tessor/gui/tessor_version.h"

namespace tessor {

void CModbusTestDlg::applyControls() {
  std::array<bool, kFunctionButtonCount> previous{};
  for (std::size_t i = 0; i < previous.size(); ++i) previous[i] = functionButtons_[i]->isEnabled();
  const ControlStates states = decideControls(
      {session_.connected(), polling_, session_.requestInFlight(),
       RecognizeRegisterType(utf8Text(startAddress_->text()))},
      previous);
  const std::pair<WindowControl, std::vector<QWidget*>> controls[] = {
      {WindowControl::IpAddress, {ip_}},
      {WindowControl::IpButton, {ipButton_}},
      {WindowControl::Station, {station_}},
      {WindowControl::Retry, {retries_}},
      {WindowControl::TimeOut, {timeout_}},
      {WindowControl::Polling, {polling_time_}},
      {WindowControl::StartAddress, {startAddress_}},
      {WindowControl::StartAddressButton, {startAddressButton_}},
      {WindowControl::Length, {length_}},
      {WindowControl::DataType, {dataType_}},
      {WindowControl::Format, {format_}},
      {WindowControl::FunctionList, {functions_}},
      {WindowControl::StatusRefresh, {statusRefresh_}},
      {WindowControl::StartStop, {startStop_}},
      {WindowControl::Exit, {exit_}},
      {WindowControl::Connect, {connect_}},
  };
  for (const auto& [control, widgets] : controls)
    for (QWidget* w : widgets) w->setEnabled(states.enabled(control));
  for (std::size_t i = 0; i < functionButtons_.size(); ++i)
    functionButtons_[i]->setEnabled(states.functionButtons[i]);
  grid_->setEnabled(session_.connected());
}

void CModbusTestDlg::SetConnectionControls(bool) {
  applyControls();
  RefreshFunctionButtons(true);
}

void CModbusTestDlg::RefreshFunctionButtons(bool rebuild) {
  const auto type = RecognizeRegisterType(utf8Text(startAddress_->text()));
  if (!type) return;
  if (rebuild) {
    const QSignalBlocker block(dataType_);
    dataType_->clear();
    dataType_->addItem(kRegisterTypes[static_cast<std::size_t>(*type)].isWord ? QStringLiteral("WORDS")
                                                                              : QStringLiteral("BITS"));
    dataType_->setCurrentIndex(0);
  }
  if (!session_.connected()) return;
  if (rebuild) {
    functions_->clear();
    for (const auto& name : supportedFunctionNames(*type)) functions_->addItem(qtText(name));
    functions_->setCurrentIndex(0);
  }
  applyControls();
}

void CModbusTestDlg::relayoutForFields(bool autosize) {
  const std::string start = utf8Text(startAddress_->text());
  const auto count = relayoutCount(start, utf8Text(length_->text()));
  if (!count) return;
  table_.setStartAddress(start);
  table_.Relayout(*count, autosize);
}

void CModbusTestDlg::toggleConnection() {
  takeFields();
  if (!session_.connected()) {
    if (!session_.Connect(connectionFields())) return;
    connect_->setText(QStringLiteral("断开"));
    saveSettings();
    statusLine_->setText(QStringLiteral("连接"));
    SetConnectionControls(true);
    return;
  }
  if (!session_.Disconnect()) return;
  startStop_->setText(QStringLiteral("开始"));
  connect_->setText(QStringLiteral("连接"));
  statusLine_->setText(QStringLiteral("断开"));
  SetConnectionControls(false);
}

void CModbusTestDlg::pressFunction(FunctionButton button) {
  takeFields();
  pressFunctionButton(session_, table_, prompt_, button);
  statusLine_->setText(qtText(session_.snapshot().statusText));
  saveSettings();
}

void CModbusTestDlg::togglePolling() {
  if (polling_) {
    worker_.Stop();
    stoppedPresentation();
    return;
  }
  takeFields();
  PollingSettings s;
  s.functionCode = functions_->currentText().section(QChar(0xFF0D), 0, 0).toInt();
  s.pollingMs = settings_.polling;
  s.ignoreError = settings_.ignoreError;
  s.timeInterval = settings_.timeInterval;
  s.statusRefresh = settings_.stateDisplayTime;
  if (!worker_.Start(s)) return;
  saveSettings();
  runningPresentation();
}

void CModbusTestDlg::runningPresentation() {
  polling_ = true;
  statusRefreshTimer_.start(settings_.stateDisplayTime * 100);
  startStop_->setText(QStringLiteral("停止"));
  statusLine_->setText(QStringLiteral("开始"));
  applyControls();
}

// The buttons that make a request come back only once the worker's last
// request is done (applyControls asks the session); pollStatus and
// workerEnded look again.
void CModbusTestDlg::stoppedPresentation() {
  calls_.send([this] {
    polling_ = false;
    statusRefreshTimer_.stop();
    startStop_->setText(QStringLiteral("开始"));
    statusLine_->setText(QStringLiteral("停止"));
    applyControls();
  });
}

void CModbusTestDlg::pollStatus() {
  calls_.send([this] {
    statusLine_->setText(qtText(worker_.statusLine()));
    if (!polling_) applyControls();
  });
}

void CModbusTestDlg::workerEnded() {
  calls_.send([this] {
    if (!polling_) applyControls();
  });
}

// The worker's reads reach the table only here, once per refresh period.
void CModbusTestDlg::refreshTable() {
  const SharedState state = session_.snapshot();
  if (state.lastWasRead) table_.ShowValues(state.buffer, state.lastCount, format_->currentIndex(), false);
}

void CModbusTestDlg::selectStartAddress() {
  calls_.send([this] {
    startAddress_->selectAll();
    startAddress_->setFocus();
  });
}

void CModbusTestDlg::selectLength() {
  calls_.send([this] {
    length_->selectAll();
    length_->setFocus();
  });
}

void CModbusTestDlg::setLengthText(const std::string& text) {
  calls_.send([this, &text] { length_->setText(qtText(text)); });
}

void CModbusTestDlg::openIpAddressDialog() {
  CIpAddressDlg dialog(ip_->address(), adapters_(), network_.scanDestination, prompt_, this);
  if (dialog.exec() == QDialog::Accepted) ip_->setAddress(dialog.address());
}

void CModbusTestDlg::openStartAddressDialog() {
  CStartAddressDlg dialog(utf8Text(startAddress_->text()), prompt_, this);
  if (dialog.exec() == QDialog::Accepted) startAddress_->setText(qtText(dialog.resultText()));
}

void CModbusTestDlg::showAbout() {
  QMessageBox box(QMessageBox::Information, QStringLiteral("关于 Modbus TCP/IP 测试工具"),
                  QStringLiteral("Modbus TCP/IP测试工具 ") + qtText(kTessorVersion),
                  QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("about"));
  box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  box.exec();
}

// The saved rectangle is the window's outer one, frame included, as the
// system keeps it; restored at the first showing, when the frame is known.
void CModbusTestDlg::restorePlacement() {
  const QRect outer = frameGeometry();
  const auto saved = RestorePlacement(
      files_.profile, {outer.left(), outer.top(), outer.right() + 1, outer.bottom() + 1});
  if (!saved) return;
  std::vector<PlacementRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect a = screen->availableGeometry();
    screens.push_back({a.left(), a.top(), a.right() + 1, a.bottom() + 1});
  }
  const PlacementRect r = clampToScreens(*saved, screens);
  const QRect inner = geometry();
  setGeometry(r.left + inner.left() - outer.left(), r.top + inner.top() - outer.top(),
              r.width() - (outer.width() - inner.width()), r.height() - (outer.height() - inner.height()));
}

void CModbusTestDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placementRestored_) return;
  placementRestored_ = true;
  restorePlacement();
}

void CModbusTestDlg::savePlacement() {
  const QRect inner = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  const QRect frame = frameGeometry();
  const QRect g = inner.adjusted(frame.left() - geometry().left(), frame.top() - geometry().top(),
                                 frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
  const int showState = isMaximized() ? 3 : isMinimized() ? 2 : 1;
  SavePlacement(files_.profile, {g.left(), g.top(), g.right() + 1, g.bottom() + 1}, showState);
}

// Polling ends with the window. The worker may be waiting in a call it sent
// (a prompt, the status line): those are served until it has ended.
void CModbusTestDlg::endPolling() {
  worker_.Stop();
  polling_ = false;
  statusRefreshTimer_.stop();
  while (worker_.workerActive()) {
    calls_.pump();
    QThread::msleep(1);
  }
  worker_.waitForWorker();
}

void CModbusTestDlg::reject() {
  endPolling();
  savePlacement();
  QDialog::reject();
}

}  // namespace tessor
