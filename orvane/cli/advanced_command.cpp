// orvane-cli advanced MAC [--master-timeout MS] [--slave-timeout S]: the
// editor's "高级配置...". The time-outs are typed into the dialog's edits as
// given ("5abc" is 5, "-1" is 4294967295, as in the editor); its checks run
// first on them, so a refused value sends nothing.
#include <ostream>

#include "cli_dialogs.h"
#include "settings_session.h"
#include "settings_subcommands.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/forms/advanced_form.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "advanced";

forms::FormCheck precheck(const AdvancedChanges& c) {
  if (c.master) {
    const auto check = forms::checkMasterTimeout(*c.master);
    if (!check.ok()) return check;
  }
  return c.slave ? forms::checkSlaveTimeout(*c.slave) : forms::FormCheck{};
}

}  // namespace

int runAdvanced(const GlobalOptions& options, std::span<const std::string> args, Streams streams) {
  UdpTransport transport;
  return runAdvancedWith(transport, options, args, streams);
}

int runAdvancedWith(DatagramTransport& transport, const GlobalOptions& options,
                    std::span<const std::string> args, Streams streams) {
  const auto a = parseSettingsArguments(args, {"--master-timeout", "--slave-timeout"}, {"--json"});
  if (!a.error.empty()) return usageError(kName, a.error, streams);
  CliPrompt prompt(streams.err);
  CliDialogs dialogs(prompt, streams.out, a.flag("--json"));
  dialogs.advanced.master = a.value("--master-timeout");
  dialogs.advanced.slave = a.value("--slave-timeout");
  if (const auto check = precheck(dialogs.advanced); !check.ok()) {
    prompt.messageBox(check.message, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
    return kExitFailure;
  }
  const auto config = cliConfig(options, streams.err);
  if (!config) return kExitUsage;

  SettingsSession session(transport, *config, options, prompt, dialogs, streams);
  const auto row = session.findRow(a.mac);
  if (!row) return kExitFailure;
  if (!session.enabled(kCmdAdvancedSettings, *row)) return kExitFailure;
  return session.exitStatus(session.commands().advancedSettings(*row), dialogs.refused());
}

}  // namespace orvane::cli
