#include "dlg_advanced_set.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialog_parts.h"
#include "qt_text.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {

CDlgAdvancedSet::CDlgAdvancedSet(const AdvancedSettings& settings, Prompt& prompt, QWidget* parent)
    : QDialog(parent), settings_(settings), prompt_(prompt) {
  setObjectName(QStringLiteral("CDlgAdvancedSet"));
  setWindowTitle(QStringLiteral("TRAX高级设置"));
  master_ = new QLineEdit(this);
  master_->setObjectName(QStringLiteral("masterTimeout"));
  slave_ = new QLineEdit(this);
  slave_->setObjectName(QStringLiteral("slaveTimeout"));

  auto* group = new QGroupBox(QStringLiteral("Modbus设置"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("主机"), group), 0, 0);
  grid->addWidget(master_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("ms"), group), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("从机"), group), 1, 0);
  grid->addWidget(slave_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("sec"), group), 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(okCancelButtons(this));

  const auto form = forms::openAdvancedForm(settings_);
  master_->setText(qtText(form.masterText));
  slave_->setText(qtText(form.slaveText));
}

void CDlgAdvancedSet::accept() {
  const forms::AdvancedForm form{utf8Text(master_->text()), utf8Text(slave_->text())};
  if (const auto check = forms::checkAdvancedForm(form); !check.ok()) {
    prompt_.messageBox(check.message, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
    selectAndFocus(check.field == forms::FormField::MasterTimeout ? master_ : slave_);
    return;
  }
  forms::applyAdvancedForm(form, settings_);
  QDialog::accept();
}

}  // namespace orvane
