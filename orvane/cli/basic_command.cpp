// orvane-cli basic MAC [...]: the editor's "基本配置..." on the network route.
// Without changes it shows the settings read afresh; with changes the
// dialog's checks run first on what was given (so a refused input sends
// nothing at all), then the editor's flow: refusals, read, the dialog with
// the changes, write, the wait, re-read, versions.
#include <algorithm>
#include <ostream>

#include "cli_dialogs.h"
#include "command_line_text.h"
#include "settings_output.h"
#include "settings_session.h"
#include "serial_subcommands.h"
#include "settings_subcommands.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/forms/basic_form.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "basic";

bool digitsOnly(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<Ipv4Bytes> ipArgument(const std::optional<std::string>& text, bool& bad) {
  if (!text) return std::nullopt;
  const auto ip = parseDottedIp(*text);
  if (!ip) bad = true;
  return ip;
}

// The serial dialog has its name, description and radio buttons disabled:
// the PLC holds neither texts nor an addressing choice.
std::string serialRefusal(const SettingsArguments& a) {
  for (const char* option : {"--name", "--description"})
    if (a.value(option)) return std::string(option) + " 在串口方式下不可用：PLC 不保存模块的名称和描述";
  if (a.flag("--dhcp")) return "--dhcp 在串口方式下不可用：串口方式只设置正在使用的IP地址";
  return {};
}

// A text the module keeps in code page 936, from the locale's character set;
// an error text when it is not valid there or the code page cannot hold it.
std::string readText(const SettingsArguments& a, const char* option, const std::string& charset,
                     std::optional<std::string>& text) {
  const auto given = a.value(option);
  if (!given) return {};
  auto converted = textArgumentInUtf8(*given, charset);
  if (!converted.utf8) return std::string(option) + " " + converted.error;
  if (const auto character = characterOutsideGbk(*converted.utf8))
    return std::string(option) + " 中的字符 " + *character + " 无法以 GBK (代码页 936) 保存";
  text = std::move(converted.utf8);
  return {};
}

// The changes from the command line; an error text when they cannot be.
std::string readChanges(const SettingsArguments& a, const GlobalOptions& options,
                        BasicChanges& changes) {
  if (options.serialPort)
    if (auto refusal = serialRefusal(a); !refusal.empty()) return refusal;
  changes.id = a.value("--id");
  for (const auto& [option, text] : {std::pair{"--name", &changes.name},
                                     std::pair{"--description", &changes.description}})
    if (auto error = readText(a, option, options.textCharset, *text); !error.empty()) return error;
  changes.automatic = a.flag("--dhcp");
  bool bad = false;
  changes.ip = ipArgument(a.value("--ip"), bad);
  changes.mask = ipArgument(a.value("--mask"), bad);
  changes.gateway = ipArgument(a.value("--gateway"), bad);
  if (bad) return "无效的IP地址 (应为 a.b.c.d)";
  if (changes.id && !digitsOnly(*changes.id)) return "模块ID只能包含数字";
  if (changes.automatic && (changes.ip || changes.mask || changes.gateway))
    return "--dhcp 不能与 --ip、--mask、--gateway 同时使用";
  return {};
}

// The checks of the dialog on the fields given, in the dialog's order.
forms::FormCheck precheck(const BasicChanges& c, int protocolType) {
  std::vector<forms::FormCheck> checks;
  if (c.name) checks.push_back(forms::checkName(*c.name));
  if (c.description) checks.push_back(forms::checkDescription(*c.description));
  if (c.id) checks.push_back(forms::checkModuleId(*c.id, protocolType));
  if (c.ip) checks.push_back(forms::checkIpAddress(*c.ip));
  for (const auto& check : checks)
    if (!check.ok()) return check;
  return {};
}

}  // namespace

int runBasic(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runBasicWith(transport, options, args, streams);
}

int runBasicWith(DatagramTransport& transport, const GlobalOptions& options,
                 std::span<const std::string> args, Streams streams) {
  const auto a = parseSettingsArguments(
      args, {"--id", "--name", "--description", "--ip", "--mask", "--gateway", "--wait"},
      {"--dhcp", "--json"});
  if (!a.error.empty()) return usageError(kName, a.error, streams);
  CliPrompt prompt(streams.err);
  CliDialogs dialogs(prompt, streams.out, a.flag("--json"));
  if (const auto error = readChanges(a, options, dialogs.basic); !error.empty())
    return usageError(kName, error, streams);
  const auto wait = parseWaitMs(a.value("--wait").value_or("3000"));
  if (!wait) return usageError(kName, kBadWait, streams);
  const int route = options.serialPort ? kProtocolSerial : kProtocolTcpIp;
  if (const auto check = precheck(dialogs.basic, route); !check.ok()) {
    prompt.messageBox(check.message, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
    return kExitFailure;
  }
  if (options.serialPort)
    return runSerialBasic(options, a.mac, dialogs, prompt, a.flag("--json"), streams);
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;

  SettingsSession session(transport, *config, options, prompt, dialogs, streams, fixedWait(*wait));
  const auto row = session.findRow(a.mac);
  if (!row) return kExitFailure;
  if (!session.enabled(kCmdBasicSettings, *row)) return kExitFailure;
  const auto outcome = session.commands().basicSettings(*row);
  if (outcome == SettingsOutcome::Done) {
    const auto record = *session.core().table().record(*row);
    streams.out << (a.flag("--json") ? basicSettingsJson(record) : basicSettingsText(record));
  }
  return session.exitStatus(outcome, dialogs.refused());
}

}  // namespace orvane::cli
