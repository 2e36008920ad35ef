// Arbitrary scenario text: a bad file is an error message, never a crash.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "scenario_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto document = nlohmann::json::parse(text, nullptr, false);
  if (document.is_discarded()) return 0;
  try {
    trax_sim::parseScenario(document, trax_sim::TimingOverrides{});
  } catch (const std::runtime_error&) {
  }
  return 0;
}
