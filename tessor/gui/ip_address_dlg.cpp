#include "tessor/gui/ip_address_dlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "tessor/core/module_scan.h"
#include "tessor/gui/qt_text.h"

namespace tessor {

namespace {

QLineEdit* field(QWidget* parent, const char* name, const std::string& text) {
  auto* edit = new QLineEdit(qtText(text), parent);
  edit->setObjectName(QLatin1String(name));
  return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

CIpAddressDlg::CIpAddressDlg(const Address& address,
                             const std::vector<platform::NetworkAdapter>& adapters,
                             const platform::Endpoint& scanDestination, Prompt& prompt,
                             QWidget* parent)
    : QDialog(parent), address_(address), scanDestination_(scanDestination), prompt_(prompt) {
  setWindowTitle(QStringLiteral("IP地址"));
  const AdapterFields adapter = adapterFields(adapters);
  localIp_ = adapter.ip;
  ip_ = field(this, "ip", QStringLiteral("%1.%2.%3.%4")
                              .arg(address[0]).arg(address[1]).arg(address[2]).arg(address[3])
                              .toStdString());
  auto* port = field(this, "port", kScanRowPort);
  port->setReadOnly(true);
  port->setEnabled(false);
  modules_ = new QTreeWidget(this);
  modules_->setObjectName(QStringLiteral("modules"));
  modules_->setRootIsDecorated(false);
  modules_->setSelectionMode(QAbstractItemView::SingleSelection);
  modules_->setHeaderLabels({QStringLiteral("IP地址"), QStringLiteral("开放的端口")});
  modules_->header()->resizeSection(0, 150);
  modules_->header()->resizeSection(1, 150);
  refresh_ = button(this, "refresh", QStringLiteral("刷新IP列表"));
  ok_ = button(this, "ok", QStringLiteral("确定"));
  ok_->setDefault(true);
  cancel_ = button(this, "cancel", QStringLiteral("取消"));
  status_ = new QLabel(QStringLiteral("就绪"), this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("IP地址"), ip_);
  form->addRow(QStringLiteral("子网掩码"), field(this, "mask", adapter.mask));
  form->addRow(QStringLiteral("默认网关"), field(this, "gateway", adapter.gateway));
  form->addRow(QStringLiteral("DNS"), field(this, "dns", adapter.dns));
  form->addRow(QStringLiteral("端口"), port);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(refresh_);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(modules_);
  layout->addLayout(buttons);
  layout->addWidget(status_);

  connect(refresh_, &QPushButton::clicked, this, &CIpAddressDlg::refresh);
  connect(ok_, &QPushButton::clicked, this, &CIpAddressDlg::accept);
  connect(cancel_, &QPushButton::clicked, this, &CIpAddressDlg::reject);
  connect(modules_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item && !item->text(0).isEmpty()) ip_->setText(item->text(0));
  });
}

void CIpAddressDlg::setScanButtonsEnabled(bool enabled) {
  refresh_->setEnabled(enabled);
  ok_->setEnabled(enabled);
  cancel_->setEnabled(enabled);
}

// The scan holds the user-interface thread for its one second, as the buttons
// say: nothing else may be done meanwhile.
void CIpAddressDlg::refresh() {
  if (!localAddressUsable(localIp_)) {
    warn(prompt_, "Can not read Local IP Address");
    return;
  }
  setScanButtonsEnabled(false);
  modules_->clear();
  const ScanOutcome outcome = runModuleScan(scanDestination_);
  for (const std::string& address : outcome.rowAddresses) addScanReply(address);
  if (outcome.failure) prompt_.ask({"", *outcome.failure, PromptIcon::None, PromptButtons::Ok});
  setScanButtonsEnabled(true);
}

void CIpAddressDlg::addScanReply(const std::string& rowAddress) {
  new QTreeWidgetItem(modules_, {qtText(rowAddress), qtText(kScanRowPort)});
}

void CIpAddressDlg::accept() {
  address_ = parseDialogAddress(utf8Text(ip_->text()));
  QDialog::accept();
}

}  // namespace tessor
