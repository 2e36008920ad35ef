#pragma once
// A number edit with its up-down control (the buddy pair of the system's
// dialogs): digits only, but any number of them, so a value outside the
// range can be typed and the dialog's OK check refuses it with its own
// message. The arrows and the Up/Down keys step within the range, starting
// from the typed value brought into the range.
#include <QAbstractSpinBox>
#include <cstdint>

namespace orvane {

class UpDownEdit final : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit UpDownEdit(QWidget* parent = nullptr);

  void setRange(std::uint32_t minimum, std::uint32_t maximum);
  std::uint32_t minimum() const { return minimum_; }
  std::uint32_t maximum() const { return maximum_; }

  // The edit part, for selection and caret.
  using QAbstractSpinBox::lineEdit;

  QString text() const;
  void setText(const QString& digits);
  // Focus with the whole text selected and the caret in view.
  void focusAndSelect();

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  std::uint32_t minimum_ = 0;
  std::uint32_t maximum_ = 100;
};

}  // namespace orvane
