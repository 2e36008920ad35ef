#include "ip_address_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace orvane {
namespace {

QLineEdit* makeField(QWidget* parent, int index) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QStringLiteral("octet%1").arg(index));
  field->setFrame(false);
  field->setAlignment(Qt::AlignCenter);
  field->setMaxLength(3);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), field));
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  return field;
}

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_StyledBackground);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(0);
  for (int i = 0; i < 4; ++i) {
    if (i > 0) layout->addWidget(new QLabel(QStringLiteral("."), this));
    auto* field = makeField(this, i);
    fields_[static_cast<std::size_t>(i)] = field;
    field->installEventFilter(this);
    layout->addWidget(field);
    connect(field, &QLineEdit::textEdited, this, [this, i] { fieldEdited(i); });
    connect(field, &QLineEdit::editingFinished, this, [this, i] { clampField(i); });
  }
  setFocusProxy(fields_[0]);
  setFocusPolicy(Qt::StrongFocus);
}

void IpAddressEdit::setAddress(const Address& address) {
  for (std::size_t i = 0; i < 4; ++i) fields_[i]->setText(QString::number(address[i]));
  emit addressChanged();
}

IpAddressEdit::Address IpAddressEdit::address() const {
  Address address{};
  for (std::size_t i = 0; i < 4; ++i)
    address[i] = static_cast<std::uint8_t>(std::min(fields_[i]->text().toInt(), 255));
  return address;
}

bool IpAddressEdit::isBlank() const {
  for (const auto* field : fields_)
    if (!field->text().isEmpty()) return false;
  return true;
}

void IpAddressEdit::clear() {
  for (auto* field : fields_) field->clear();
  emit addressChanged();
}

void IpAddressEdit::focusField(int index) {
  auto* f = field(std::clamp(index, 0, 3));
  f->setFocus(Qt::OtherFocusReason);
  f->selectAll();
}

std::optional<IpAddressEdit::Address> IpAddressEdit::parse(const QString& text) {
  const auto parts = text.trimmed().split(QLatin1Char('.'));
  if (parts.size() != 4) return std::nullopt;
  Address address{};
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    const int value = parts[i].toInt(&ok);
    if (!ok || value < 0 || value > 255 || parts[i].size() > 3) return std::nullopt;
    address[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
  }
  return address;
}

int IpAddressEdit::indexOf(QObject* object) const {
  for (int i = 0; i < 4; ++i)
    if (fields_[static_cast<std::size_t>(i)] == object) return i;
  return -1;
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
  const int index = indexOf(watched);
  if (index >= 0 && event->type() == QEvent::KeyPress)
    return handleKey(index, static_cast<QKeyEvent*>(event));
  return QWidget::eventFilter(watched, event);
}

bool IpAddressEdit::handleKey(int index, QKeyEvent* key) {
  auto* f = field(index);
  if (key->matches(QKeySequence::Paste)) {
    if (const auto pasted = parse(QApplication::clipboard()->text())) {
      setAddress(*pasted);
      focusField(3);
      return true;
    }
    return false;
  }
  const bool atStart = f->cursorPosition() == 0 && !f->hasSelectedText();
  const bool atEnd = f->cursorPosition() == f->text().size() && !f->hasSelectedText();
  switch (key->key()) {
    case Qt::Key_Period:
    case Qt::Key_Space:
      if (!f->text().isEmpty() && !f->hasSelectedText() && index < 3) focusField(index + 1);
      return true;
    case Qt::Key_Backspace:
      if (f->text().isEmpty() && index > 0) {
        auto* previous = field(index - 1);
        previous->setFocus(Qt::OtherFocusReason);
        previous->end(false);
        return true;
      }
      return false;
    case Qt::Key_Left:
      if (atStart && index > 0) {
        field(index - 1)->setFocus(Qt::OtherFocusReason);
        field(index - 1)->end(false);
        return true;
      }
      return false;
    case Qt::Key_Right:
      if (atEnd && index < 3) {
        field(index + 1)->setFocus(Qt::OtherFocusReason);
        field(index + 1)->home(false);
        return true;
      }
      return false;
    default:
      return false;
  }
}

// A field that cannot take another digit without passing 255 is complete.
void IpAddressEdit::fieldEdited(int index) {
  auto* f = field(index);
  emit addressChanged();
  const auto text = f->text();
  if (index < 3 && f->cursorPosition() == text.size() &&
      (text.size() == 3 || (!text.isEmpty() && text.toInt() * 10 > 255))) {
    clampField(index);
    focusField(index + 1);
  }
}

void IpAddressEdit::clampField(int index) {
  auto* f = field(index);
  if (!f->text().isEmpty() && f->text().toInt() > 255) {
    f->setText(QStringLiteral("255"));
    emit addressChanged();
  }
}

}  // namespace orvane
