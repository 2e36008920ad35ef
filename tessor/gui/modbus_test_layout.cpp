// The main window's controls, their ranges and tool tips, and the layout that
// keeps them anchored: the groups keep their place, the table grows with the
// window, the status line follows the bottom edge, and the exit and connect
// buttons keep their distance to the bottom-right corner.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "orvane/widgets/ip_address_edit.h"
#include "tessor/gui/modbus_test_dlg.h"

namespace tessor {

namespace {

constexpr const char* kFunctionToolTips[kFunctionButtonCount] = {
    "FC1：读线圈", "FC3：读保持寄存器", "FC2：读离散输入", "FC4：读输入寄存器",
    "FC5：写线圈", "FC15：强制多点线圈", "FC6：写单一寄存器", "FC16：写多个寄存器"};

// The function list as the layout holds it before the first connect.
constexpr const char* kInitialFunctions[] = {
    "01－读线圈", "02－读离散输入", "03－读保持寄存器", "04－读输入寄存器",
    "05－写线圈", "06－写单一寄存器", "15－强制多点线圈", "16－写多个寄存器"};

QPushButton* pushButton(QWidget* parent, const char* name, const QString& text,
                        const QString& toolTip = {}) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setToolTip(toolTip);
  button->setAutoDefault(false);
  return button;
}

QSpinBox* spin(QWidget* parent, const char* name, int minimum, int maximum) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setRange(minimum, maximum);
  return box;
}

void addLabelled(QGridLayout* grid, int row, int column, const QString& label, QWidget* field) {
  grid->addWidget(new QLabel(label), row, column);
  grid->addWidget(field, row, column + 1);
}

}  // namespace

void CModbusTestDlg::buildConnectionGroup(QGridLayout* top) {
  auto* group = new QGroupBox(QStringLiteral("Modbus TCP/IP 连接配置"), this);
  auto* grid = new QGridLayout(group);
  ip_ = new orvane::IpAddressEdit(group);
  ip_->setObjectName(QStringLiteral("ipAddress"));
  // Shown, unlike the layout it comes from: the scan behind it is how a user
  // on his own finds a module's address.
  ipButton_ = pushButton(group, "ipButton", QStringLiteral(">>"));
  station_ = spin(group, "station", 0, 255);
  retries_ = spin(group, "retries", 0, 10);
  timeout_ = spin(group, "timeout", 1, 255);
  polling_time_ = spin(group, "pollingTime", 0, 3000);
  grid->addWidget(new QLabel(QStringLiteral("IP地址")), 0, 0);
  grid->addWidget(ip_, 0, 1, 1, 2);
  grid->addWidget(ipButton_, 0, 3);
  addLabelled(grid, 1, 0, QStringLiteral("PLC子局号\n(1-255)"), station_);
  addLabelled(grid, 1, 2, QStringLiteral("重试(0-10)"), retries_);
  addLabelled(grid, 2, 0, QStringLiteral("超时时间\n(1-255)[100ms]"), timeout_);
  addLabelled(grid, 2, 2, QStringLiteral("Polling时间\n[0-3000ms]"), polling_time_);
  top->addWidget(group, 0, 0);
}

void CModbusTestDlg::buildExchangeGroups(QGridLayout* top) {
  auto* exchange = new QGroupBox(QStringLiteral("数据变换"), this);
  auto* grid = new QGridLayout(exchange);
  startAddress_ = new QLineEdit(exchange);
  startAddress_->setObjectName(QStringLiteral("startAddress"));
  startAddress_->setMaxLength(6);
  startAddressButton_ = pushButton(exchange, "startAddressButton", QStringLiteral(">>"),
                                   QStringLiteral("选择起始地址"));
  length_ = new QLineEdit(exchange);
  length_->setObjectName(QStringLiteral("length"));
  length_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), length_));
  dataType_ = new QComboBox(exchange);
  dataType_->setObjectName(QStringLiteral("dataType"));
  format_ = new QComboBox(exchange);
  format_->setObjectName(QStringLiteral("format"));
  format_->addItems({QStringLiteral("八进制"), QStringLiteral("十进制"), QStringLiteral("十六进制")});
  grid->addWidget(new QLabel(QStringLiteral("起始地址")), 0, 0);
  grid->addWidget(startAddress_, 0, 1);
  grid->addWidget(startAddressButton_, 0, 2);
  addLabelled(grid, 1, 0, QStringLiteral("长度"), length_);
  addLabelled(grid, 0, 3, QStringLiteral("数据类型"), dataType_);
  addLabelled(grid, 1, 3, QStringLiteral("数据格式"), format_);
  top->addWidget(exchange, 0, 1);

  auto* monitor = new QGroupBox(QStringLiteral("连续读写操作"), this);
  auto* row = new QHBoxLayout(monitor);
  functions_ = new QComboBox(monitor);
  functions_->setObjectName(QStringLiteral("functionList"));
  for (const char* name : kInitialFunctions) functions_->addItem(QString::fromUtf8(name));
  startStop_ = pushButton(monitor, "startStop", QStringLiteral("开始"), QStringLiteral("启动/停止操作"));
  statusRefresh_ = spin(monitor, "statusRefresh", 1, 255);
  statusRefresh_->setVisible(false);
  row->addWidget(new QLabel(QStringLiteral("任务号:")));
  row->addWidget(functions_, 1);
  row->addWidget(startStop_);
  row->addWidget(statusRefresh_);
  top->addWidget(monitor, 1, 0);

  auto* once = new QGroupBox(QStringLiteral("读/写 数据（一次）"), this);
  auto* buttons = new QGridLayout(once);
  for (int i = 0; i < kFunctionButtonCount; ++i) {
    const auto button = static_cast<FunctionButton>(i);
    const QString label = QStringLiteral("FC%1").arg(functionCode(button));
    auto* b = pushButton(once, label.toLatin1().constData(), label, QString::fromUtf8(kFunctionToolTips[i]));
    functionButtons_[static_cast<std::size_t>(i)] = b;
    buttons->addWidget(b, i / 4, i % 4);
  }
  top->addWidget(once, 1, 1);
}

void CModbusTestDlg::buildLayout() {
  auto* top = new QGridLayout;
  buildConnectionGroup(top);
  buildExchangeGroups(top);

  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("grid"));
  grid_->setModel(&model_);
  grid_->horizontalHeader()->setStretchLastSection(true);  // the last column fills the width
  statusLine_ = new QLabel(QStringLiteral("就绪"), this);
  statusLine_->setObjectName(QStringLiteral("statusLine"));
  statusLine_->setFrameShape(QFrame::StyledPanel);
  // A new text per polling cycle must not re-lay the window out each time.
  statusLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  exit_ = pushButton(this, "exit", QStringLiteral("退出"), QStringLiteral("退出"));
  connect_ = pushButton(this, "connect", QStringLiteral("连接"), QStringLiteral("连接/断开"));
  connect_->setDefault(true);  // Enter in any field toggles the connection

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(statusLine_, 1);
  bottom->addWidget(exit_);
  bottom->addWidget(connect_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(grid_, 1);
  layout->addLayout(bottom);
}

}  // namespace tessor
