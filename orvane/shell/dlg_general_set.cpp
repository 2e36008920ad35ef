#include "dlg_general_set.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "dialog_parts.h"
#include "qt_text.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/widgets/ip_address_edit.h"
#include "orvane/widgets/up_down_edit.h"

namespace orvane {
namespace {

// Windows multi-line edits keep line breaks as CR LF; the plain-text edit
// shows them as LF. Converting back and forth keeps an unchanged
// description byte for byte.
QString shownText(const std::string& utf8) {
  return qtText(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string storedText(QString text) { return utf8Text(text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"))); }

}  // namespace

CDlgGeneralSet::CDlgGeneralSet(const ModuleRecord& record, int mode, Prompt& prompt, QWidget* parent)
    : QDialog(parent), record_(record), prompt_(prompt), opened_(forms::openBasicForm(record, mode)) {
  setObjectName(QStringLiteral("CDlgGeneralSet"));
  setWindowTitle(QStringLiteral("基本设置"));
  buildControls();
  fill(opened_);
}

void CDlgGeneralSet::buildControls() {
  id_ = new UpDownEdit(this);
  id_->setObjectName(QStringLiteral("moduleId"));
  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("name"));
  description_ = new QPlainTextEdit(this);
  description_->setObjectName(QStringLiteral("description"));
  description_->setTabChangesFocus(true);
  description_->setFixedHeight(description_->fontMetrics().lineSpacing() * 4 + 10);
  automatic_ = new QRadioButton(QStringLiteral("自动获取IP地址"), this);
  automatic_->setObjectName(QStringLiteral("automatic"));
  manual_ = new QRadioButton(QStringLiteral("手动设置IP地址"), this);
  manual_->setObjectName(QStringLiteral("manual"));
  ip_ = new IpAddressEdit(this);
  ip_->setObjectName(QStringLiteral("ipAddress"));
  mask_ = new IpAddressEdit(this);
  mask_->setObjectName(QStringLiteral("subnetMask"));
  gateway_ = new IpAddressEdit(this);
  gateway_->setObjectName(QStringLiteral("gateway"));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("模块ID:"), id_);
  form->addRow(QStringLiteral("名称:"), name_);
  form->addRow(QStringLiteral("描述:"), description_);
  auto* addressing = new QFormLayout;
  addressing->addRow(automatic_);
  addressing->addRow(manual_);
  addressing->addRow(QStringLiteral("IP:"), ip_);
  addressing->addRow(QStringLiteral("子网掩码:"), mask_);
  addressing->addRow(QStringLiteral("网关:"), gateway_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(addressing);
  layout->addWidget(okCancelButtons(this));

  connect(automatic_, &QRadioButton::clicked, this, &CDlgGeneralSet::addressingClicked);
  connect(manual_, &QRadioButton::clicked, this, &CDlgGeneralSet::addressingClicked);
  // Esc in the description edit cancels as in a single-line edit; Ctrl+Break too.
  auto* cancelKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Pause), this);
  connect(cancelKey, &QShortcut::activated, this, &QDialog::reject);
}

void CDlgGeneralSet::fill(const forms::BasicForm& form) {
  id_->setRange(0, form.idMaximum);
  id_->setText(qtText(form.idText));
  id_->setEnabled(form.idEnabled);
  name_->setText(qtText(form.name));
  description_->setPlainText(shownText(form.description));
  name_->setEnabled(form.textsEnabled);
  description_->setEnabled(form.textsEnabled);
  automatic_->setChecked(form.automatic);
  manual_->setChecked(!form.automatic);
  automatic_->setEnabled(form.radiosEnabled);
  manual_->setEnabled(form.radiosEnabled);
  showAddresses(form);
}

void CDlgGeneralSet::showAddresses(const forms::BasicForm& form) {
  ip_->setAddress(form.ip);
  mask_->setAddress(form.mask);
  gateway_->setAddress(form.gateway);
  for (auto* control : {ip_, mask_, gateway_}) control->setEnabled(form.addressesEnabled);
}

forms::BasicForm CDlgGeneralSet::read() const {
  auto form = opened_;
  form.idText = utf8Text(id_->text());
  form.name = utf8Text(name_->text());
  form.description = storedText(description_->toPlainText());
  form.automatic = automatic_->isChecked();
  form.ip = ip_->address();
  form.mask = mask_->address();
  form.gateway = gateway_->address();
  return form;
}

void CDlgGeneralSet::addressingClicked() {
  auto form = read();
  forms::chooseAddressing(form, record_, automatic_->isChecked());
  showAddresses(form);
}

void CDlgGeneralSet::accept() {
  const auto form = read();
  if (const auto check = forms::checkBasicForm(form); !check.ok()) {
    prompt_.messageBox(check.message, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
    focusField(check.field);
    return;
  }
  forms::applyBasicForm(form, record_);
  QDialog::accept();
}

void CDlgGeneralSet::focusField(forms::FormField field) {
  switch (field) {
    case forms::FormField::ModuleId:
      id_->focusAndSelect();
      break;
    case forms::FormField::Name:
      selectAndFocus(name_);
      break;
    case forms::FormField::Description:
      selectAndFocus(description_);
      break;
    default:
      ip_->focusField(0);
      break;
  }
}

}  // namespace orvane
