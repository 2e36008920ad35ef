#include "plc_text.h"

#include <algorithm>

#include "platform/gbk.h"

namespace orvane {

std::string plcTextUtf8(std::span<const std::uint8_t> data) {
  const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  return platform::gbkToUtf8(std::string(data.begin(), end));
}

}  // namespace orvane
