#include "options.h"

#include <charconv>
#include <stdexcept>

#include "modbus_scenario.h"
#include "value_parsers.h"

namespace trax_sim {

const char* const kUsage =
    "usage: trax-sim [options]\n"
    "       trax-sim make-image --kind boot|system --version A.B.C.D --size N [--seed S] [--bad-check] OUT\n"
    "options:\n"
    "  --listen HOST:PORT      module protocol port (default 127.0.0.1:58580; port 0 = free port)\n"
    "  --scan-listen HOST:PORT module scan port (default HOST:28784, or a free port with --listen ...:0)\n"
    "  --no-scan               do not answer the module scan\n"
    "  --allow-non-loopback    allow binding an address outside 127.0.0.0/8\n"
    "  --keep-modbus-ports     serve Modbus TCP on the scenario's ports even with --listen ...:0\n"
    "  --scenario FILE         modules from a scenario file (JSON)\n"
    "  --module JSON           one module, as an object of the scenario file\n"
    "  --modules N             N generated ordinary modules\n"
    "  --firmware-version V    firmware version of generated modules (default 4.1.0.3)\n"
    "  --fault SEL:RULE        fault for module SEL (a MAC, or all): kind[,key=value...] or JSON\n"
    "  --modbus-fault SEL:RULE fault of SEL's Modbus TCP replies: silent, delay or exception\n"
    "  --enter-delay MS        EnterBootLoader to boot loader running (default 300)\n"
    "  --erase-delay MS        EraseFirmware reply delay (default 500)\n"
    "  --restart-delay MS      silence after RestartModule (default 1000)\n"
    "  --dump-dir DIR          write each verified firmware area to DIR/<MAC>-<boot|system>.bin\n"
    "  --log                   print every received datagram in hex (\"rx AA 05 00 01 AE\")\n"
    "  --log-replies           also print every datagram sent (\"tx ...\")\n"
    "  --help                  this text\n"
    "  --version               the suite's version\n";

namespace {

// A whole decimal number from 0 to `most`; `what` names the expected value in the error.
int parseCount(const std::string& text, const std::string& option, int most, const std::string& what) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > most)
    throw std::runtime_error(option + ": \"" + text + "\" is not " + what);
  return value;
}

int parseMs(const std::string& text, const std::string& option) {
  return parseCount(text, option, 3600000, "a number of milliseconds (0 to 3600000)");
}

platform::Endpoint parseListen(const std::string& text, const std::string& option) {
  const auto endpoint = platform::parseEndpoint(text);
  if (!endpoint || text.find(':') == std::string::npos)
    throw std::runtime_error(option + ": \"" + text + "\" is not HOST:PORT with a dotted IPv4 host");
  return *endpoint;
}

// SELECTOR:RULE, the selector "all" or a 17-character MAC (which may itself hold colons).
std::pair<std::string, std::string> splitFaultOption(const std::string& text, const std::string& option) {
  const std::size_t colon = text.rfind("all:", 0) == 0 ? 3 : 17;
  if (text.size() <= colon + 1 || text[colon] != ':')
    throw std::runtime_error(option + ": \"" + text + "\" is not SELECTOR:RULE (all or a MAC)");
  return {text.substr(0, colon), text.substr(colon + 1)};
}

// Adds each rule to the modules its selector names; `rulesOf` gives a module's
// rule list, or nothing when the module cannot take the rule.
template <typename RulesOf>
void addFaults(std::vector<Module>& modules, const std::vector<std::pair<std::string, std::string>>& faults,
               const std::string& option, RulesOf rulesOf) {
  for (const auto& [selector, ruleText] : faults) {
    const FaultRule rule = parseFaultText(ruleText);
    const auto mac = selector == "all" ? std::nullopt : parseMac(selector);
    if (selector != "all" && !mac) throw std::runtime_error(option + ": \"" + selector + "\" is neither a MAC nor all");
    bool found = false;
    for (auto& m : modules) {
      if (mac && m.mac != *mac) continue;
      if (auto* rules = rulesOf(m, rule)) {
        rules->push_back(rule);
        found = true;
      }
    }
    if (!found && mac) throw std::runtime_error(option + ": no module with MAC " + selector + " takes it");
  }
}

}  // namespace

bool isLoopback(const platform::Endpoint& endpoint) { return (endpoint.address >> 24) == 127; }

platform::Endpoint scanEndpoint(const Options& options) {
  if (options.scanListen) return *options.scanListen;
  return platform::Endpoint{options.listen.address,
                            static_cast<std::uint16_t>(options.listen.port == 0 ? 0 : kScanPort)};
}

Options parseOptions(const std::vector<std::string>& args) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::runtime_error(a + " needs a value");
      return args[++i];
    };
    if (a == "--listen") o.listen = parseListen(value(), a);
    else if (a == "--scan-listen") o.scanListen = parseListen(value(), a);
    else if (a == "--no-scan") o.scanEnabled = false;
    else if (a == "--allow-non-loopback") o.allowNonLoopback = true;
    else if (a == "--keep-modbus-ports") o.keepModbusPorts = true;
    else if (a == "--scenario") o.scenarioFiles.push_back(value());
    else if (a == "--module") o.moduleTexts.push_back(value());
    else if (a == "--modules") o.generatedCount = parseCount(value(), a, 65535, "a number of modules (0 to 65535)");
    else if (a == "--firmware-version") o.generatedFirmware = parseVersion4(value(), a);
    else if (a == "--fault") o.faults.push_back(splitFaultOption(value(), a));
    else if (a == "--modbus-fault") o.modbusFaults.push_back(splitFaultOption(value(), a));
    else if (a == "--enter-delay") o.timing.enterBootLoaderMs = parseMs(value(), a);
    else if (a == "--erase-delay") o.timing.eraseMs = parseMs(value(), a);
    else if (a == "--restart-delay") o.timing.restartMs = parseMs(value(), a);
    else if (a == "--dump-dir") o.dumpDir = value();
    else if (a == "--log") o.log = true;
    else if (a == "--log-replies") o.log = o.logReplies = true;
    else if (a == "--help" || a == "-h") o.help = true;
    else if (a == "--version") o.version = true;
    else throw std::runtime_error("unknown option " + a);
  }
  return o;
}

std::vector<Module> buildModules(const Options& o) {
  std::vector<Module> modules;
  for (const auto& file : o.scenarioFiles) {
    auto loaded = loadScenarioFile(file, o.timing);
    modules.insert(modules.end(), loaded.begin(), loaded.end());
  }
  for (const auto& text : o.moduleTexts) modules.push_back(parseModuleText(text, o.timing));
  auto generated = generateModules(o.generatedCount, o.generatedFirmware, o.timing);
  modules.insert(modules.end(), generated.begin(), generated.end());
  addFaults(modules, o.faults, "--fault", [](Module& m, const FaultRule& rule) {
    if (rule.kind == FaultKind::Exception) throw std::runtime_error("--fault: \"exception\" is a --modbus-fault");
    return &m.faults;
  });
  addFaults(modules, o.modbusFaults, "--modbus-fault", [](Module& m, const FaultRule& rule) {
    checkModbusFault(rule, "--modbus-fault");
    return m.modbus ? &m.modbus->faults : nullptr;
  });
  return modules;
}

}  // namespace trax_sim
