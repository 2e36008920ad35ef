#pragma once
// Modules from a scenario file (JSON), from one module's JSON object given on
// the command line, or generated in bulk.
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "module_state.h"

namespace trax_sim {

// Timing given on the command line; it overrides the file's "timing" and is
// overridden by a module's own "timing".
struct TimingOverrides {
  std::optional<int> enterBootLoaderMs;
  std::optional<int> eraseMs;
  std::optional<int> restartMs;
};

// A whole scenario document: {"timing": {...}, "modules": [...]}.
// Throws std::runtime_error naming the module and field that is wrong.
std::vector<Module> parseScenario(const nlohmann::json& document, const TimingOverrides& overrides);
std::vector<Module> loadScenarioFile(const std::string& path, const TimingOverrides& overrides);

// One module object; `index` only names it in error messages.
Module parseModule(const nlohmann::json& object, const Timing& timing, std::size_t index);
Module parseModuleText(const std::string& jsonText, const TimingOverrides& overrides);

// `count` ordinary modules running their system program: MACs 02-54-52-58-HH-LL
// (HHLL = 1, 2, ...), addresses from 127.0.0.20, names "模块 N".
std::vector<Module> generateModules(int count, const Version4& firmware, const TimingOverrides& overrides);

Timing applyOverrides(Timing timing, const TimingOverrides& overrides);

}  // namespace trax_sim
