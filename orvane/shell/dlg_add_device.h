#pragma once
// "添加设备": one peer-to-peer entry, thin over AddDeviceForm. The caller sets
// the entry (the default one to add, a row's entry to edit) and takes it
// back after OK.
#include <QDialog>

#include "orvane/forms/add_device_form.h"
#include "orvane/protocol/prompt.h"

class QLineEdit;
class QRadioButton;

namespace orvane {

class IpAddressEdit;

class CDlgAddDevice final : public QDialog {
  Q_OBJECT

 public:
  CDlgAddDevice(const PeerEntry& entry, Prompt& prompt, QWidget* parent = nullptr);

  const PeerEntry& entry() const { return entry_; }
  forms::AddDeviceForm read() const;

 public slots:
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void kindClicked();
  void focusField(forms::FormField field);

  PeerEntry entry_;
  Prompt& prompt_;
  QLineEdit* device_ = nullptr;
  QRadioButton* trax_ = nullptr;
  QRadioButton* modbus_ = nullptr;
  IpAddressEdit* traxIp_ = nullptr;
  IpAddressEdit* modbusIp_ = nullptr;
  QLineEdit* port_ = nullptr;
  QLineEdit* unit_ = nullptr;
};

}  // namespace orvane
