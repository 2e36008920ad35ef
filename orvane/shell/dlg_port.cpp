#include "dlg_port.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "orvane/serial/port_choice.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {

CDlgPort::CDlgPort(int current, const std::vector<int>& ports, QWidget* parent)
    : QDialog(parent), list_(new QComboBox(this)), port_(current) {
  setWindowTitle(qtText(shell_texts::kPortCaption));
  const auto choice = portChoice(current, ports);
  for (const auto& entry : choice.entries) list_->addItem(qtText(entry));
  list_->setCurrentIndex(choice.selected);

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(qtText(shell_texts::kPortLabel), this));
  row->addWidget(list_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(qtText(shell_texts::kOk));
  buttons->button(QDialogButtonBox::Cancel)->setText(qtText(shell_texts::kCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &CDlgPort::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDlgPort::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
}

void CDlgPort::accept() {
  if (const auto port = portOfEntry(utf8Text(list_->currentText()))) port_ = *port;
  QDialog::accept();
}

}  // namespace orvane
