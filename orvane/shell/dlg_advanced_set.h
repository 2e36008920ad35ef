#pragma once
// "TRAX高级设置": the Modbus master and slave time-outs of one module, thin
// over AdvancedForm. Every other byte of the block passes through.
#include <QDialog>

#include "orvane/forms/advanced_form.h"
#include "orvane/protocol/prompt.h"

class QLineEdit;

namespace orvane {

class CDlgAdvancedSet final : public QDialog {
  Q_OBJECT

 public:
  CDlgAdvancedSet(const AdvancedSettings& settings, Prompt& prompt, QWidget* parent = nullptr);

  const AdvancedSettings& settings() const { return settings_; }

 public slots:
  void accept() override;

 private:
  AdvancedSettings settings_;
  Prompt& prompt_;
  QLineEdit* master_ = nullptr;
  QLineEdit* slave_ = nullptr;
};

}  // namespace orvane
