#pragma once
// Reading values out of a scenario file's JSON, with the place of the value
// in every error ("bytes[1].address: 70000 is above 65535").
#include <cstdint>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace plc_sim::scenario_values {

struct ScenarioError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& where, const std::string& what);

// A number 0-max, or a string holding one ("0x5A").
unsigned long number(const nlohmann::json& value, unsigned long max, const std::string& where);

// Hexadecimal byte pairs, blanks and the separators ":", ".", "-" allowed between pairs.
std::vector<std::uint8_t> hexBytes(const std::string& text, const std::string& where);

// The entry is an object whose keys are all in `allowed`.
void onlyKeys(const nlohmann::json& entry, const std::set<std::string>& allowed,
              const std::string& where);

// Exactly one of "data", "hex" and "text", as bytes.
std::vector<std::uint8_t> entryBytes(const nlohmann::json& entry, const std::string& where);

// A string value.
std::string text(const nlohmann::json& value, const std::string& where);

}  // namespace plc_sim::scenario_values
