#include "main_status_bar.h"

#include <QLabel>
#include <QPushButton>

#include "busy_indicator.h"
#include "qt_text.h"
#include "orvane/protocol/user_texts.h"
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
    : QStatusBar(parent),
      logo_(new QLabel(qtText(shell_texts::kLogo), this)),
      message_(new QLabel(qtText(texts::kReady), this)),
      portButton_(new QPushButton(qtText(shell_texts::kPortButtonInitial), this)),
      busy_(new BusyIndicator(this)) {
  setMinimumHeight(kMinimumHeight);
  logo_->setAlignment(Qt::AlignCenter);
  logo_->setFixedWidth(kLogoWidth);
  message_->setMinimumWidth(kMessageWidth);
  portButton_->setFixedWidth(kButtonWidth);
  busy_->setFixedWidth(kProgressWidth);
  addWidget(logo_);
  addWidget(message_, 1);
  addWidget(portButton_);
  addWidget(busy_);
}

void MainStatusBar::setMessage(const QString& text) { message_->setText(text); }

QString MainStatusBar::message() const { return message_->text(); }

void MainStatusBar::setPortButton(const QString& text, bool enabled) {
  portButton_->setText(text);
  portButton_->setEnabled(enabled);
}

}  // namespace orvane
