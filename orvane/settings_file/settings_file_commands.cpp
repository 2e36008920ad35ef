#include "settings_file_commands.h"

#include <fstream>

#include "orvane/protocol/user_texts.h"
#include "orvane/settings_file/settings_checks.h"
#include "orvane/settings_file/settings_document.h"

namespace orvane::settings_file {
namespace {

constexpr std::string_view kSaveFailed = "保存配置文件出错！";
constexpr std::string_view kSameSettings = "模块的设置与配置文件相同，无需写入。";
constexpr std::string_view kLoaded = "配置已载入，再次读取的设置与配置文件相同。";
constexpr std::string_view kVerifyFailed = "再次读取的设置与配置文件不同：";

std::string fileName(const MacAddress& mac) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string name;
  for (const auto b : mac) name += {kDigits[b >> 4], kDigits[b & 15], '-'};
  name.back() = '.';
  return name + "json";
}

std::string changeLines(const std::vector<FieldChange>& changes) {
  std::string lines;
  for (const auto& c : changes) {
    const auto key = c.section == Section::Peers ? c.field : std::string(sectionKey(c.section)) + '.' + c.field;
    lines += key + ": " + c.before + " → " + c.after + '\n';
  }
  return lines;
}

}  // namespace

void SettingsFileCommands::errorBox(const std::string& text) {
  prompt_.messageBox(text, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
}

SettingsOutcome SettingsFileCommands::saveSettings(int row) {
  ModuleSettings settings;
  const auto outcome = readThroughCommands(commands_, dialogs_, row, settings);
  if (outcome != SettingsOutcome::Done) return outcome;
  const auto path = prompt_.chooseSaveFile(fileName(settings.basic.mac), kSettingsFileFilter);
  if (!path) return SettingsOutcome::Cancelled;
  std::ofstream file(*path, std::ios::binary | std::ios::trunc);
  file << writeSettingsDocument(settings);
  file.close();
  if (file.fail()) {
    errorBox(std::string(kSaveFailed) + '\n' + path->string());
    return SettingsOutcome::WriteFailed;
  }
  return SettingsOutcome::Done;
}

// The chosen file, read, parsed and through every dialog check; nothing
// (after its box) otherwise.
std::optional<ModuleSettings> SettingsFileCommands::checkedFile() {
  const auto path = prompt_.chooseFile({}, kSettingsFileFilter);
  if (!path) return std::nullopt;
  // One byte more than a document may have, so the reader sees one too large.
  std::ifstream file(*path, std::ios::binary);
  std::string text(kMaxDocumentBytes + 1, '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (!file.is_open() || file.bad()) {
    errorBox(path->string() + "\n无法读取文件");
    return std::nullopt;
  }
  auto reading = readSettingsDocument(text);
  if (!reading.settings) {
    errorBox(path->string() + '\n' + reading.error);
    return std::nullopt;
  }
  const auto refusal = checkModuleSettings(*reading.settings);
  if (refusal.ok()) return std::move(reading.settings);
  prompt_.messageBox(refusal.message, refusal.caption,
                     refusal.caption == texts::kCaptionWarning ? MessageIcon::Warning : MessageIcon::Error,
                     MessageButtons::Ok);
  return std::nullopt;
}

SettingsOutcome SettingsFileCommands::loadSettings(int row) {
  const auto file = checkedFile();
  if (!file) return SettingsOutcome::Cancelled;
  ModuleSettings current;
  auto outcome = readThroughCommands(commands_, dialogs_, row, current);
  if (outcome != SettingsOutcome::Done) return outcome;
  const auto wanted = settingsAfterLoad(current, *file, false);
  const auto changes = settingsChanges(current, wanted);
  if (changes.empty()) {
    prompt_.messageBox(kSameSettings, texts::kCaptionSuccess, MessageIcon::Information, MessageButtons::Ok);
    return SettingsOutcome::Done;
  }
  const auto question = "载入配置将修改以下设置：\n" + changeLines(changes) + "\n写入模块吗？";
  if (prompt_.messageBox(question, texts::kCaptionWarning, MessageIcon::Question,
                         MessageButtons::OkCancel) != MessageAnswer::Ok)
    return SettingsOutcome::Cancelled;
  outcome = writeThroughCommands(commands_, dialogs_, row, wanted, changes);
  if (outcome != SettingsOutcome::Done) return outcome;
  ModuleSettings reread;
  outcome = readThroughCommands(commands_, dialogs_, row, reread);
  if (outcome != SettingsOutcome::Done) return outcome;
  if (const auto left = settingsChanges(wanted, reread); !left.empty()) {
    errorBox(std::string(kVerifyFailed) + '\n' + changeLines(left));
    return SettingsOutcome::RereadFailed;
  }
  prompt_.messageBox(kLoaded, texts::kCaptionSuccess, MessageIcon::Information, MessageButtons::Ok);
  return SettingsOutcome::Done;
}

}  // namespace orvane::settings_file
