#include "sim/plc_sim/sim_options.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace plc_sim {

const char* const kUsage =
    "usage: plc-sim [--scenario FILE] [--baud N] [--log] [faults]\n"
    "Simulates a PLC on a pseudo-terminal and prints \"pty: PATH\".\n"
    "  --scenario FILE       fill the PLC memory from a JSON scenario file\n"
    "  --baud N              send and take bytes at N baud, 8N1 (default: no pacing)\n"
    "  --log                 print received (rx:) and sent (tx:) bytes and events\n"
    "  --nak-gap MS          pause between NAKs and before the reply after them (50)\n"
    "  --help                this text\n"
    "  --version             the suite's version\n"
    "faults:\n"
    "  --no-enquiry-answer   never answer the enquiry\n"
    "  --enquiry-nak         answer the enquiry with K ! NAK\n"
    "  --nak N               answer each request with N NAKs first (4 or more: no reply)\n"
    "  --bad-check           reply with a wrong check byte\n"
    "  --marker FC|FD|FE     reply with a marker reply of that form\n"
    "  --stop-half           send the ACK and half the reply, then nothing\n"
    "  --bad-first-byte      answer the request with a byte that is neither ACK nor NAK\n";

namespace {

std::optional<unsigned> parseUnsigned(const std::string& text) {
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<std::uint8_t> parseMarker(const std::string& text) {
  if (text == "FC" || text == "fc") return 0xFC;
  if (text == "FD" || text == "fd") return 0xFD;
  if (text == "FE" || text == "fe") return 0xFE;
  return std::nullopt;
}

bool setFlag(const std::string& name, SimOptions& o) {
  if (name == "--log") o.log = true;
  else if (name == "--help" || name == "-h") o.help = true;
  else if (name == "--version") o.version = true;
  else if (name == "--no-enquiry-answer") o.faults.noEnquiryAnswer = true;
  else if (name == "--enquiry-nak") o.faults.enquiryNak = true;
  else if (name == "--bad-check") o.faults.badCheck = true;
  else if (name == "--stop-half") o.faults.stopHalfWay = true;
  else if (name == "--bad-first-byte") o.faults.badFirstByte = true;
  else return false;
  return true;
}

bool takesValue(const std::string& name) {
  static const std::set<std::string> kValued{"--scenario", "--marker", "--baud", "--nak-gap", "--nak"};
  return kValued.count(name) > 0;
}

// An option that takes a value; the error text, empty when it was taken.
std::string setValue(const std::string& name, const std::string& value, SimOptions& o) {
  if (name == "--scenario") {
    o.scenarioPath = value;
    return {};
  }
  if (name == "--marker") {
    o.faults.marker = parseMarker(value);
    return o.faults.marker ? "" : "--marker takes FC, FD or FE";
  }
  const auto n = parseUnsigned(value);
  if (!n) {
    const char* what = name == "--baud" ? "bits per second" : name == "--nak-gap" ? "milliseconds" : "NAKs";
    return name + ": \"" + value + "\" is not a number of " + what;
  }
  if (name == "--baud") o.baud = *n;
  else if (name == "--nak-gap") o.nakGapMs = *n;
  else o.faults.naks = static_cast<int>(std::min(*n, 1000u));  // --nak
  return {};
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
  SimOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (setFlag(args[i], options)) continue;
    if (args[i].rfind("--", 0) != 0) return {std::nullopt, "unexpected argument " + args[i]};
    if (!takesValue(args[i])) return {std::nullopt, "unknown option " + args[i]};
    if (i + 1 >= args.size()) return {std::nullopt, args[i] + " needs a value"};
    const std::string error = setValue(args[i], args[i + 1], options);
    if (!error.empty()) return {std::nullopt, error};
    ++i;
  }
  return {options, {}};
}

}  // namespace plc_sim
