#pragma once
// "选择起始地址": the register type from a list, the octal register number, and
// the information line; over StartAddressDialogModel.
#include <QDialog>

#include "tessor/core/prompt.h"
#include "tessor/core/start_address_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tessor {

class CStartAddressDlg final : public QDialog {
  Q_OBJECT

 public:
  CStartAddressDlg(const std::string& startAddress, Prompt& prompt, QWidget* parent = nullptr);
  // After OK: the prefix and the number exactly as typed.
  std::string resultText() const { return model_.resultText(); }

  void accept() override;

 private:
  void refreshInformation();

  StartAddressDialogModel model_;
  Prompt& prompt_;
  QComboBox* types_ = nullptr;
  QLineEdit* number_ = nullptr;
  QLabel* information_ = nullptr;
};

}  // namespace tessor
