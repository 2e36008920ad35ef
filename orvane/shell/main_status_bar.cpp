#include "main_status_bar.h"

#include <QLabel>
#include <QPushButton>

#include "busy_indicator.h"
#include "frame_texts.h"
#include "orvane/protocol/user_texts.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {
namespace {
constexpr int kMinimumHeight = 23;
constexpr int kLogoWidth = 110;
constexpr int kMessageWidth = 100;
constexpr int kButtonWidth = 100;
constexpr int kProgressWidth = 200;
}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent)
    : CExtStatusControlBar(parent),
      logo_(new QLabel(qtText(shell_texts::kLogo), this)),
      message_(new QLabel(qtText(texts::kReady), this)),
      portButton_(new QPushButton(qtText(shell_texts::kPortButtonInitial), this)),
      busy_(new BusyIndicator(this)) {
  setMinimumHeight(kMinimumHeight);
  logo_->setAlignment(Qt::AlignCenter);
  message_->setMinimumWidth(kMessageWidth);
  addPane(0, kMessagePane, 0, message_);
}

std::string_view MainStatusBar::buildPanes() {
  if (!addPane(0, kLogoPane, kLogoWidth, logo_)) return frame_texts::kLogoPaneFailed;
  if (!addPane(2, kButtonPane, kButtonWidth, portButton_)) return frame_texts::kButtonPaneFailed;
  if (!addPane(3, kProgressPane, kProgressWidth, busy_)) return frame_texts::kProgressPaneFailed;
  return {};
}

void MainStatusBar::setMessage(const QString& text) {
  prompting_ = false;
  message_->setText(text);
}

QString MainStatusBar::message() const { return prompting_ ? covered_ : message_->text(); }

void MainStatusBar::showPrompt(const QString& prompt) {
  if (prompt.isEmpty()) {
    if (prompting_) message_->setText(covered_);
    prompting_ = false;
    return;
  }
  if (!prompting_) covered_ = message_->text();
  prompting_ = true;
  message_->setText(prompt);
}

void MainStatusBar::setPortButton(const QString& text, bool enabled) {
  portButton_->setText(text);
  portButton_->setEnabled(enabled);
}

}  // namespace orvane
