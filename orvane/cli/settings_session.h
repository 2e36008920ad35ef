#pragma once
// What the settings subcommands share: the editor's view core over the
// network, the list of the command line filled by a scan as the editor's
// first showing fills it, the module's row found by its MAC, the editor's
// command enabling, and the settings commands the GUI calls.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli_options.h"
#include "cli_ports.h"
#include "cli_session.h"
#include "subcommands.h"
#include "orvane/protocol/command_enabling.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/settings_commands.h"
#include "orvane/settings_file/settings_backup.h"

namespace orvane::cli {

// The arguments of a settings subcommand: the MAC first, then options.
struct SettingsArguments {
  MacAddress mac{};
  std::vector<std::pair<std::string, std::string>> values;  // options with a value, in order
  std::vector<std::string> flags;
  std::string error;  // empty when the line is fine

  std::optional<std::string> value(std::string_view option) const;  // the last one given
  bool flag(std::string_view option) const;
};
SettingsArguments parseSettingsArguments(std::span<const std::string> args,
                                         std::initializer_list<std::string_view> valueOptions,
                                         std::initializer_list<std::string_view> flagOptions);

// Writes "orvane-cli NAME: MESSAGE" and returns kExitUsage.
int usageError(std::string_view subcommand, std::string_view message, Streams streams);

// --wait MS, the pause after a basic settings write (the editor waits 3000
// ms for the module to restart): up to six digits; nothing otherwise.
std::optional<int> parseWaitMs(std::string_view text);
inline constexpr std::string_view kBadWait = "--wait 应为毫秒数";
// That pause, of `ms` instead of the editor's.
SettingsCommands::Wait fixedWait(int ms);

class SettingsSession {
 public:
  SettingsSession(DatagramTransport& transport, ConfigStore config, const GlobalOptions& options,
                  Prompt& prompt, SettingsDialogs& dialogs, Streams streams,
                  SettingsCommands::Wait wait = {});
  // Ends a running operation first: operation 10 uses the commands.
  ~SettingsSession();

  // Scans and finds the list row of `mac`. Nothing, after a message on
  // standard error, when the scan failed or no module has that MAC.
  std::optional<int> findRow(const MacAddress& mac);
  // The two halves of findRow, for commands that find many modules after
  // one scan: the scan (false after its message) and the row of `mac` in the
  // list it filled (nothing after "未找到模块").
  bool scan();
  std::optional<int> rowOf(const MacAddress& mac);
  // The editor's enabling of `command` for the row; false after a message.
  bool enabled(int command, int row);

  SettingsCommands& commands() { return commands_; }
  const settings_file::SettingsBackup& backup() const { return backup_; }
  OrvaneViewCore& core() { return core_; }

  // settingsExitStatus, after a hint on standard error when the editor's
  // warning that the module is too old comes from its firmware image
  // (FirmwareFileName) being missing, unreadable or invalid: the check then
  // takes every module for too old.
  int exitStatus(SettingsOutcome outcome, bool dialogRefused);

 private:
  CliUiPort ui_;
  OrvaneViewCore core_;
  SettingsCommands commands_;
  Streams streams_;
  // The backup before every write. Its question (write without a backup?)
  // goes to a prompt that cannot confirm: a command line run by a script
  // must not lose the backup unnoticed, so a failed backup refuses the write.
  CliPrompt backupPrompt_;
  settings_file::SettingsBackup backup_;
};

// The exit status of a settings command, as upgrade's: 0 done (or only
// shown), 1 failed or refused (a failed exchange, the editor's warnings, a
// refused dialog input).
int settingsExitStatus(SettingsOutcome outcome, bool dialogRefused);

}  // namespace orvane::cli
