#include "tessor/gui/start_address_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "tessor/core/register_map.h"
#include "tessor/gui/qt_text.h"

namespace tessor {

CStartAddressDlg::CStartAddressDlg(const std::string& startAddress, Prompt& prompt, QWidget* parent)
    : QDialog(parent), model_(startAddress), prompt_(prompt) {
  setWindowTitle(QStringLiteral("选择起始地址"));
  types_ = new QComboBox(this);
  types_->setObjectName(QStringLiteral("registerType"));
  for (const auto& type : kRegisterTypes) types_->addItem(qtText(type.name));
  types_->setCurrentIndex(model_.selection().value_or(-1));
  number_ = new QLineEdit(qtText(model_.numberText()), this);
  number_->setObjectName(QStringLiteral("registerNumber"));
  number_->setMaxLength(5);
  number_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), number_));
  information_ = new QLabel(this);
  information_->setObjectName(QStringLiteral("information"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("寄存器类型"), types_);
  form->addRow(QStringLiteral("寄存器号"), number_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(information_);
  layout->addWidget(buttons);

  connect(types_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_.select(index >= 0 ? std::optional<int>(index) : std::nullopt);
    refreshInformation();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &CStartAddressDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CStartAddressDlg::reject);
  refreshInformation();
}

void CStartAddressDlg::refreshInformation() { information_->setText(qtText(model_.informationLine())); }

void CStartAddressDlg::accept() {
  model_.setNumberText(utf8Text(number_->text()));
  if (!model_.accept(prompt_)) {
    number_->selectAll();
    number_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace tessor
