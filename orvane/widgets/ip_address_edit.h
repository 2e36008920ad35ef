#pragma once
// The IP address control of the editor's and Tessor's dialogs: four fields
// of 0 to 255 separated by dots, each of which may be blank.
//
// Keyboard: digits only; a third digit (or a value that cannot grow without
// passing 255) moves on to the next field; "." or space moves on when the
// field holds something; Backspace in an empty field, or Left at the start of
// one, goes back to the previous field; Right at the end goes on. A value
// above 255 becomes 255 when the field is left. Pasting a dotted address
// into any field fills all four.
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

class QLineEdit;

namespace orvane {

class IpAddressEdit final : public QWidget {
  Q_OBJECT

 public:
  using Address = std::array<std::uint8_t, 4>;  // first octet first

  explicit IpAddressEdit(QWidget* parent = nullptr);

  void setAddress(const Address& address);
  // Blank fields read as 0, as the system control reports them.
  Address address() const;
  // All four fields blank.
  bool isBlank() const;
  void clear();

  // Focus on field `index` (0 to 3) with its text selected.
  void focusField(int index);
  QLineEdit* field(int index) const { return fields_[static_cast<std::size_t>(index)]; }

  // "a.b.c.d" with each part 0 to 255; nothing otherwise.
  static std::optional<Address> parse(const QString& text);

 signals:
  void addressChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int indexOf(QObject* object) const;
  bool handleKey(int index, class QKeyEvent* key);
  void fieldEdited(int index);
  void clampField(int index);

  std::array<QLineEdit*, 4> fields_{};
};

}  // namespace orvane
