#pragma once
// Message boxes, questions and choices that operations put to the user.
// Every call blocks until the user has answered. Calls come from the
// user-interface thread or from the view's worker; the GUI shows the box on
// its own thread (blocking the worker until answered), the CLI answers by
// itself, tests script the answers and record what was asked.
#include <filesystem>
#include <optional>
#include <string_view>

namespace orvane {

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

class Prompt {
 public:
  virtual ~Prompt() = default;

  // A message box with its text, caption, icon and buttons; closing the box
  // any other way than with OK answers Cancel.
  virtual MessageAnswer messageBox(std::string_view text, std::string_view caption,
                                   MessageIcon icon, MessageButtons buttons) = 0;

  // The file-open dialog: `filter` in the form "Firmware Flies(*.bin)|*.bin||",
  // `initial` as the initial file name. Nothing when cancelled.
  virtual std::optional<std::filesystem::path> chooseFile(const std::filesystem::path& initial,
                                                          std::string_view filter) = 0;

  // The file-save dialog, as chooseFile. Front ends without one cancel.
  virtual std::optional<std::filesystem::path> chooseSaveFile(const std::filesystem::path& initial,
                                                              std::string_view filter) {
    (void)initial, (void)filter;
    return std::nullopt;
  }

  // The serial port dialog ("配置通信端口") opened with port number `current`;
  // the chosen COM number, or nothing when cancelled.
  virtual std::optional<int> choosePort(int current) = 0;
};

}  // namespace orvane
