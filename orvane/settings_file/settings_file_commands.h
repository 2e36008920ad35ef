#pragma once
// The editor's "保存配置..." and "载入配置..." of the module list's context
// menu, without a window: the file dialogs and every box go through the
// view's Prompt, the settings through the editor's own settings commands
// (settings_file_flows.h). UI thread, like the settings commands.
//
// Load refuses, before anything is sent, a file that cannot be read, is no
// settings file, or fails a dialog's check (the dialog's own message); then
// shows every field that would change and asks; writes the sections that
// differ; reads the module again and says whether it holds the file's
// settings. What identifies a module is copied only onto the module the
// file was saved from (module_settings.h).
#include "orvane/protocol/prompt.h"
#include "orvane/settings_file/settings_file_flows.h"

namespace orvane::settings_file {

inline constexpr std::string_view kSettingsFileFilter = "模块配置文件(*.json)|*.json||";

class SettingsFileCommands {
 public:
  // `dialogs` must be the dialogs `commands` was built with.
  SettingsFileCommands(SettingsCommands& commands, SettingsFileDialogs& dialogs, Prompt& prompt)
      : commands_(commands), dialogs_(dialogs), prompt_(prompt) {}

  SettingsOutcome saveSettings(int row);
  SettingsOutcome loadSettings(int row);

 private:
  std::optional<ModuleSettings> checkedFile();
  void errorBox(const std::string& text);

  SettingsCommands& commands_;
  SettingsFileDialogs& dialogs_;
  Prompt& prompt_;
};

}  // namespace orvane::settings_file
