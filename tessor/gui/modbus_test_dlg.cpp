#include "tessor/gui/modbus_test_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
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
#include "tessor/gui/qt_text.h"
#include "tessor/gui/start_address_dlg.h"
#include "tessor/gui/tessor_version.h"

namespace tessor {

QString windowTitle() { return QStringLiteral("Modbus TCP/IP 测试工具 V") + qtText(kTessorVersion); }

CModbusTestDlg::CModbusTestDlg(TessorFiles files, QuorraApi& quorra, AdapterQuery adapters,
                               QWidget* parent)
    : QDialog(parent),
      files_(std::move(files)),
      adapters_(std::move(adapters)),
      prompt_(calls_),
      session_(quorra, table_, prompt_, *this),
      worker_(session_, prompt_, *this, systemPollClock()),
      model_(table_) {
  prompt_.setParentWindow(this);
  setWindowTitle(windowTitle());
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  buildLayout();
  table_.setLayoutListener([this](bool autosize) {
    calls_.send([this, autosize] { model_.tableLaidOut(autosize); });
  });
  connectSignals();
  startUp();
}

CModbusTestDlg::~CModbusTestDlg() {
  endPolling();
  table_.setLayoutListener(nullptr);
}

void CModbusTestDlg::connectSignals() {
  // About: X11 and Wayland give the window no system menu, so it sits in the
  // window's context menu and on F1.
  auto* about = new QAction(QStringLiteral("关于 Modbus TCP/IP 测试工具(&A)..."), this);
  about->setShortcut(Qt::Key_F1);
  about->setShortcutContext(Qt::WindowShortcut);
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(about, &QAction::triggered, this, &CModbusTestDlg::showAbout);

  connect(connect_, &QPushButton::clicked, this, &CModbusTestDlg::toggleConnection);
  connect(exit_, &QPushButton::clicked, this, &CModbusTestDlg::reject);
  connect(startStop_, &QPushButton::clicked, this, &CModbusTestDlg::togglePolling);
  connect(ipButton_, &QPushButton::clicked, this, &CModbusTestDlg::openIpAddressDialog);
  connect(startAddressButton_, &QPushButton::clicked, this, &CModbusTestDlg::openStartAddressDialog);
  for (int i = 0; i < kFunctionButtonCount; ++i)
    connect(functionButtons_[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
            [this, i] { pressFunction(static_cast<FunctionButton>(i)); });
  connect(startAddress_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (text == text.toUpper()) return;
    const int cursor = startAddress_->cursorPosition();
    startAddress_->setText(text.toUpper());
    startAddress_->setCursorPosition(cursor);
  });
  connect(startAddress_, &QLineEdit::textChanged, this, [this] {
    RefreshFunctionButtons(true);
    relayoutForFields(true);
  });
  connect(length_, &QLineEdit::textChanged, this, [this] { relayoutForFields(true); });
  const auto selectionChanged = [this] {
    settings_.dataType = dataType_->currentIndex();
    settings_.displayType = format_->currentIndex();
    table_.setSelectedFormat(settings_.displayType);
    const SharedState state = session_.snapshot();
    // Before any request there is no last count: the fields' count stands in.
    if (state.lastCount > 0 || !relayoutCount(utf8Text(startAddress_->text()), utf8Text(length_->text())))
      table_.Relayout(state.lastCount, true);
    else
      relayoutForFields(true);
  };
  connect(dataType_, &QComboBox::currentIndexChanged, this, selectionChanged);
  connect(format_, &QComboBox::currentIndexChanged, this, selectionChanged);
  connect(&model_, &DataTableModel::laidOut, this, [this](bool autosize) {
    if (autosize) grid_->resizeColumnsToContents();
  });
  connect(&statusRefreshTimer_, &QTimer::timeout, this, &CModbusTestDlg::refreshTable);
}

void CModbusTestDlg::startUp() {
  network_ = LoadNetworkSettings(files_.config);
  if (!LoadSettings(files_.config, settings_)) ApplyDefaultSettings(settings_);
  showSettings();
  SetConnectionControls(false);
  const std::string start = utf8Text(startAddress_->text());
  const auto count = relayoutCount(start, utf8Text(length_->text()));
  table_.setStartAddress(start);
  table_.Relayout(count.value_or(kStartupCountUnrecognised), true);
  RefreshFunctionButtons(true);
  relayoutForFields(true);
  statusLine_->setText(QStringLiteral("就绪"));
}

void CModbusTestDlg::showSettings() {
  const QSignalBlocker blockStart(startAddress_), blockLength(length_), blockFormat(format_),
      blockType(dataType_), blockFunctions(functions_);
  ip_->setAddress(settings_.ip);
  station_->setValue(settings_.station);
  retries_->setValue(settings_.retries);
  timeout_->setValue(settings_.timeout);
  polling_time_->setValue(settings_.polling);
  startAddress_->setText(qtText(settings_.startAddress).left(startAddress_->maxLength()));
  length_->setText(QString::number(settings_.length));
  format_->setCurrentIndex(settings_.displayType);
  functions_->setCurrentIndex(settings_.functionNo);
  statusRefresh_->setValue(settings_.stateDisplayTime);
  table_.setColumnsPerRow(settings_.gridColumn);
  table_.setSelectedFormat(format_->currentIndex());
  table_.setPreviousFormat(settings_.displayType);
}

void CModbusTestDlg::takeFields() {
  settings_.ip = ip_->address();
  settings_.station = station_->value();
  settings_.retries = retries_->value();
  settings_.timeout = timeout_->value();
  settings_.polling = polling_time_->value();
  settings_.startAddress = utf8Text(startAddress_->text());
  settings_.length = length_->text().toInt();
  settings_.dataType = dataType_->currentIndex();
  settings_.displayType = format_->currentIndex();
  settings_.functionNo = functions_->currentIndex();
  settings_.stateDisplayTime = statusRefresh_->value();
  session_.setFields({settings_.startAddress, utf8Text(length_->text()), settings_.displayType});
}

ConnectionFields CModbusTestDlg::connectionFields() const {
  ConnectionFields f;
  f.ip = settings_.ip;
  f.station = settings_.station;
  f.retries = settings_.retries;
  f.timeout = settings_.timeout;
  f.polling = settings_.polling;
  f.port = network_.modbusPort;
  return f;
}

void CModbusTestDlg::saveSettings() {
  takeFields();
  SaveSettings(files_.config, settings_);
}

}  // namespace tessor
