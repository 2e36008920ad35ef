#include "dlg_progress.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "frame_texts.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {
namespace {
constexpr int kDone = 100;
}  // namespace

CDlgProgress::CDlgProgress(int latest, QWidget* parent)
    : QDialog(parent),
      bar_(new QProgressBar(this)),
      text_(new QLabel(qtText(frame_texts::kProgressStart), this)),
      cancel_(new QPushButton(qtText(shell_texts::kCancel), this)) {
  setWindowTitle(qtText(frame_texts::kProgressCaption));
  setModal(true);
  bar_->setRange(0, kDone);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  cancel_->setEnabled(false);
  connect(cancel_, &QPushButton::clicked, this, &CDlgProgress::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  layout->addWidget(text_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  setMinimumWidth(320);
  if (latest > 0) progress(latest);
}

void CDlgProgress::progress(int percent) {
  text_->setText(qtText(frame_texts::kProgressStart) + QStringLiteral("%1%").arg(percent));
  bar_->setValue(std::min(percent, kDone));
  if (percent < kDone) return;
  cancel_->setEnabled(true);
  done_ = true;
  done(QDialog::Accepted);
}

int CDlgProgress::exec() { return done_ ? QDialog::Accepted : QDialog::exec(); }

int CDlgProgress::position() const { return bar_->value(); }
QString CDlgProgress::text() const { return text_->text(); }
bool CDlgProgress::cancelEnabled() const { return cancel_->isEnabled(); }

}  // namespace orvane
