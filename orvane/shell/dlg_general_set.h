#pragma once
// "基本设置": one module's ID, name, description and IP addressing, thin over
// BasicForm. The caller fills the record and the mode (ProtocolType), runs
// the dialog and, when it ends with OK, takes the edited record back.
#include <QDialog>

#include "orvane/forms/basic_form.h"
#include "orvane/protocol/prompt.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace orvane {

class IpAddressEdit;
class UpDownEdit;

class CDlgGeneralSet final : public QDialog {
  Q_OBJECT

 public:
  CDlgGeneralSet(const ModuleRecord& record, int mode, Prompt& prompt, QWidget* parent = nullptr);

  // The record as the dialog hands it back (changed only by OK).
  const ModuleRecord& record() const { return record_; }

  // What the controls hold now.
  forms::BasicForm read() const;

 public slots:
  void accept() override;

 private:
  void buildControls();
  void fill(const forms::BasicForm& form);
  void showAddresses(const forms::BasicForm& form);
  void addressingClicked();
  void focusField(forms::FormField field);

  ModuleRecord record_;
  Prompt& prompt_;
  forms::BasicForm opened_;
  UpDownEdit* id_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  QRadioButton* automatic_ = nullptr;
  QRadioButton* manual_ = nullptr;
  IpAddressEdit* ip_ = nullptr;
  IpAddressEdit* mask_ = nullptr;
  IpAddressEdit* gateway_ = nullptr;
};

}  // namespace orvane
