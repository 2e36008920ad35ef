// INI text of any content: reading and setting a key never reads outside the
// text and never overflows, the key set reads back as written, other keys
// read as before, and setting it again changes no byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_text.h"

using namespace platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto port = findProfileValue(text, "App", "BroadcastPort");
  const auto address = findProfileValue(text, "App", "BroadcastAddress");
  const auto elsewhere = findProfileValue(text, "Other", "BroadcastPort");
  const auto value = std::to_string(parseProfileInt(port.value_or(std::string(text))));

  const auto written = setProfileValue(text, "app", "broadcastport", value);
  if (findProfileValue(written, "App", "BroadcastPort") != value) std::abort();
  if (findProfileValue(written, "App", "BroadcastAddress") != address) std::abort();
  if (findProfileValue(written, "Other", "BroadcastPort") != elsewhere) std::abort();
  if (setProfileValue(written, "app", "broadcastport", value) != written) std::abort();
  return 0;
}
