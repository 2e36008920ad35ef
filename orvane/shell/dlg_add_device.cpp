#include "dlg_add_device.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_parts.h"
#include "qt_text.h"
#include "orvane/forms/form_texts.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/widgets/ip_address_edit.h"

namespace orvane {
namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

}  // namespace

CDlgAddDevice::CDlgAddDevice(const PeerEntry& entry, Prompt& prompt, QWidget* parent)
    : QDialog(parent), entry_(entry), prompt_(prompt) {
  setObjectName(QStringLiteral("CDlgAddDevice"));
  setWindowTitle(qtText(forms::texts::kAddDeviceCaption));
  device_ = lineEdit(this, "deviceNumber");
  trax_ = new QRadioButton(QStringLiteral("TRAX"), this);
  trax_->setObjectName(QStringLiteral("trax"));
  modbus_ = new QRadioButton(QStringLiteral("Modbus/TCP"), this);
  modbus_->setObjectName(QStringLiteral("modbusTcp"));
  traxIp_ = new IpAddressEdit(this);
  traxIp_->setObjectName(QStringLiteral("traxIp"));
  modbusIp_ = new IpAddressEdit(this);
  modbusIp_->setObjectName(QStringLiteral("modbusIp"));
  port_ = lineEdit(this, "port");
  unit_ = lineEdit(this, "unitId");

  auto* top = new QFormLayout;
  top->addRow(QStringLiteral("RX/WX设备号:"), device_);
  auto* group = new QGroupBox(QStringLiteral("配置设备"), this);
  auto* config = new QFormLayout(group);
  config->addRow(trax_);
  config->addRow(QStringLiteral("IP地址:"), traxIp_);
  config->addRow(modbus_);
  config->addRow(QStringLiteral("IP地址:"), modbusIp_);
  config->addRow(QStringLiteral("端口号:"), port_);
  config->addRow(QStringLiteral("单元ID:"), unit_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(group);
  layout->addWidget(okCancelButtons(this));

  const auto form = forms::openAddDeviceForm(entry_);
  device_->setText(qtText(form.deviceText));
  trax_->setChecked(form.trax);
  modbus_->setChecked(!form.trax);
  traxIp_->setAddress(form.traxIp);
  modbusIp_->setAddress(form.modbusIp);
  port_->setText(qtText(form.portText));
  unit_->setText(qtText(form.unitText));
  kindClicked();
  connect(trax_, &QRadioButton::clicked, this, &CDlgAddDevice::kindClicked);
  connect(modbus_, &QRadioButton::clicked, this, &CDlgAddDevice::kindClicked);
}

void CDlgAddDevice::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  selectAndFocus(device_);
}

void CDlgAddDevice::kindClicked() {
  const bool trax = trax_->isChecked();
  traxIp_->setEnabled(trax);
  for (QWidget* control : {static_cast<QWidget*>(modbusIp_), static_cast<QWidget*>(port_),
                           static_cast<QWidget*>(unit_)})
    control->setEnabled(!trax);
}

forms::AddDeviceForm CDlgAddDevice::read() const {
  return {utf8Text(device_->text()), trax_->isChecked(), traxIp_->address(),
          modbusIp_->address(),      utf8Text(port_->text()), utf8Text(unit_->text())};
}

void CDlgAddDevice::accept() {
  const auto form = read();
  if (const auto check = forms::checkAddDeviceForm(form); !check.ok()) {
    prompt_.messageBox(check.message, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
    focusField(check.field);
    return;
  }
  forms::applyAddDeviceForm(form, entry_);
  QDialog::accept();
}

// A disabled control cannot take the focus; the message has told the user
// which address to correct.
void CDlgAddDevice::focusField(forms::FormField field) {
  switch (field) {
    case forms::FormField::DeviceNumber:
      selectAndFocus(device_);
      break;
    case forms::FormField::TraxIp:
      traxIp_->focusField(0);
      break;
    case forms::FormField::ModbusIp:
      modbusIp_->focusField(0);
      break;
    case forms::FormField::Port:
      selectAndFocus(port_);
      break;
    default:
      selectAndFocus(unit_);
      break;
  }
}

}  // namespace orvane
