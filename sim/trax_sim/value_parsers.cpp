#include "value_parsers.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/gbk.h"

namespace trax_sim {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& why) {
  throw std::runtime_error(what + ": " + why);
}

// Splits "a.b.c" into decimal numbers, each at most `max`.
std::vector<unsigned> dottedNumbers(const std::string& text, unsigned max, const std::string& what) {
  std::vector<unsigned> numbers;
  const char* p = text.data();
  const char* end = p + text.size();
  while (true) {
    unsigned value = 0;
    const auto [next, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || next == p || value > max) fail(what, "\"" + text + "\" is not valid");
    numbers.push_back(value);
    p = next;
    if (p == end) break;
    if (*p != '.') fail(what, "\"" + text + "\" is not valid");
    ++p;
  }
  return numbers;
}

}  // namespace

void checkKeys(const nlohmann::json& object, std::initializer_list<const char*> known, const std::string& what) {
  if (!object.is_object()) fail(what, "an object is needed");
  for (const auto& item : object.items())
    if (std::none_of(known.begin(), known.end(), [&](const char* k) { return item.key() == k; }))
      fail(what, "unknown key \"" + item.key() + "\"");
}

Version4 parseVersion4(const std::string& text, const std::string& what) {
  const auto n = dottedNumbers(text, 255, what);
  if (n.size() != 4) fail(what, "a version needs four numbers, as 4.1.0.3");
  return Version4{static_cast<std::uint8_t>(n[3]), static_cast<std::uint8_t>(n[2]),
                  static_cast<std::uint8_t>(n[1]), static_cast<std::uint8_t>(n[0])};
}

Version2 parseVersion2(const std::string& text, const std::string& what) {
  const auto n = dottedNumbers(text, 255, what);
  if (n.size() != 2) fail(what, "a board version needs two numbers, as 1.02");
  return Version2{static_cast<std::uint8_t>(n[1]), static_cast<std::uint8_t>(n[0])};
}

Ipv4 parseIp(const std::string& text, const std::string& what) {
  const auto n = dottedNumbers(text, 255, what);
  if (n.size() != 4) fail(what, "\"" + text + "\" is not a dotted IPv4 address");
  return Ipv4{static_cast<std::uint8_t>(n[0]), static_cast<std::uint8_t>(n[1]), static_cast<std::uint8_t>(n[2]),
              static_cast<std::uint8_t>(n[3])};
}

Mac parseMacValue(const std::string& text, const std::string& what) {
  const auto mac = parseMac(text);
  if (!mac) fail(what, "\"" + text + "\" is not a MAC address such as 00-11-22-33-44-55");
  return *mac;
}

std::uint64_t parseUnsigned(const nlohmann::json& value, std::uint64_t max, const std::string& what) {
  std::uint64_t n = 0;
  if (value.is_number_unsigned()) {
    n = value.get<std::uint64_t>();
  } else if (value.is_number_integer()) {
    if (value.get<long long>() < 0) fail(what, "a non-negative integer is needed");
    n = static_cast<std::uint64_t>(value.get<long long>());
  } else if (value.is_string()) {
    const auto text = value.get<std::string>();
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* first = text.data() + (hex ? 2 : 0);
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, n, hex ? 16 : 10);
    if (ec != std::errc() || end != last || first == last) fail(what, "\"" + text + "\" is not a number");
  } else {
    fail(what, "a non-negative integer is needed");
  }
  if (n > max) fail(what, std::to_string(n) + " is above " + std::to_string(max));
  return n;
}

std::uint8_t parseSwitchByte(const nlohmann::json& value, const std::string& what) {
  if (value.is_string()) {
    const auto text = value.get<std::string>();
    if (text.size() == 8 && text.find_first_not_of("01") == std::string::npos)
      return static_cast<std::uint8_t>(std::stoul(text, nullptr, 2));
  }
  return static_cast<std::uint8_t>(parseUnsigned(value, 255, what));
}

std::uint8_t parseRunMode(const nlohmann::json& value, const std::string& what) {
  if (value.is_string()) {
    const auto text = value.get<std::string>();
    if (text == "unknown") return 0;
    if (text == "bootloader") return kRunModeBootLoader;
    if (text == "system") return kRunModeSystem;
  }
  return static_cast<std::uint8_t>(parseUnsigned(value, 255, what));
}

std::uint8_t parseAddressMode(const nlohmann::json& value, const std::string& what) {
  if (value.is_string()) {
    const auto text = value.get<std::string>();
    if (text == "auto") return 0;
    if (text == "manual") return 1;
  }
  return static_cast<std::uint8_t>(parseUnsigned(value, 255, what));
}

std::uint8_t parsePeerKind(const nlohmann::json& value, const std::string& what) {
  if (value.is_string()) {
    const auto text = value.get<std::string>();
    if (text == "TRAX") return 2;
    if (text == "Modbus") return 1;
  }
  return static_cast<std::uint8_t>(parseUnsigned(value, 255, what));
}

template <std::size_t N>
std::array<std::uint8_t, N> gbkField(const std::string& utf8, const std::string& what) {
  const std::string gbk = platform::utf8ToGbk(utf8);
  if (gbk.size() > N) fail(what, "longer than " + std::to_string(N) + " bytes in code page 936");
  std::array<std::uint8_t, N> field{};
  for (std::size_t i = 0; i < gbk.size(); ++i) field[i] = static_cast<std::uint8_t>(gbk[i]);
  return field;
}

template std::array<std::uint8_t, kNameBytes> gbkField<kNameBytes>(const std::string&, const std::string&);
template std::array<std::uint8_t, kDescriptionBytes> gbkField<kDescriptionBytes>(const std::string&,
                                                                                 const std::string&);

std::string versionText(const Version4& v) {
  char text[20];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", v[3], v[2], v[1], v[0]);
  return text;
}

}  // namespace trax_sim
