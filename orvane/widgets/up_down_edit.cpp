#include "up_down_edit.h"

#include <QLineEdit>
#include <algorithm>

namespace orvane {

UpDownEdit::UpDownEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
}

void UpDownEdit::setRange(std::uint32_t minimum, std::uint32_t maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
}

QString UpDownEdit::text() const { return lineEdit()->text(); }

void UpDownEdit::setText(const QString& digits) { lineEdit()->setText(digits); }

void UpDownEdit::focusAndSelect() {
  setFocus(Qt::OtherFocusReason);
  selectAll();
}

void UpDownEdit::stepBy(int steps) {
  bool ok = false;
  const auto typed = text().toULongLong(&ok);
  long long value = ok ? static_cast<long long>(std::min<unsigned long long>(typed, maximum_)) : minimum_;
  value = std::clamp<long long>(std::max<long long>(value, minimum_) + steps, minimum_, maximum_);
  setText(QString::number(value));
  selectAll();
}

QValidator::State UpDownEdit::validate(QString& input, int&) const {
  for (const QChar c : input)
    if (!c.isDigit()) return QValidator::Invalid;
  return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled UpDownEdit::stepEnabled() const {
  return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

}  // namespace orvane
