#pragma once
// The one crossing between the core's UTF-8 texts and QString.
#include <QString>
#include <string>
#include <string_view>

namespace tessor {

inline QString qtText(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string utf8Text(const QString& text) { return text.toStdString(); }

}  // namespace tessor
