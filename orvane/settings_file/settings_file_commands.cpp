#include "settings_file_commands.h"

#include <fstream>

#include "orvane/protocol/row_format.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/settings_file/settings_checks.h"
#include "orvane/settings_file/settings_document.h"

namespace orvane::settings_file {
namespace {

constexpr std::string_view kSaveFailed = "保存配置文件出错！";
constexpr std::string_view kSameSettings = "模块的设置与配置文件相同，无需写入。";
constexpr std::string_view kLoaded = "配置已载入，再次读取的设置与配置文件相同。";
constexpr std::string_view kVerifyFailed = "再次读取的设置与配置文件不同：";

std::string changeLines(const std::vector<FieldChange>& changes) {
  std::string lines;
  for (const auto& change : changes) lines += changeText(change) + '\n';
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
  const auto path = prompt_.chooseSaveFile(dashedMacText(settings.basic.mac) + ".json", kSettingsFileFilter);
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
  showRefusal(prompt_, refusal);
  return std::nullopt;
}

SettingsOutcome SettingsFileCommands::loadSettings(int row) {
  const auto file = checkedFile();
  if (!file) return SettingsOutcome::Cancelled;
  LoadPlan plan;
  auto outcome = planLoad(commands_, dialogs_, row, *file, false, plan);
  if (outcome != SettingsOutcome::Done) return outcome;
  if (plan.changes.empty()) {
    prompt_.messageBox(kSameSettings, texts::kCaptionSuccess, MessageIcon::Information, MessageButtons::Ok);
    return SettingsOutcome::Done;
  }
  const auto question = "载入配置将修改以下设置：\n" + changeLines(plan.changes) + "\n写入模块吗？";
  if (prompt_.messageBox(question, texts::kCaptionWarning, MessageIcon::Question,
                         MessageButtons::OkCancel) != MessageAnswer::Ok)
    return SettingsOutcome::Cancelled;
  std::vector<FieldChange> left;
  outcome = writeAndVerify(commands_, dialogs_, row, plan, left);
  if (outcome != SettingsOutcome::Done) return outcome;
  if (!left.empty()) {
    errorBox(std::string(kVerifyFailed) + '\n' + changeLines(left));
    return SettingsOutcome::RereadFailed;
  }
  prompt_.messageBox(kLoaded, texts::kCaptionSuccess, MessageIcon::Information, MessageButtons::Ok);
  return SettingsOutcome::Done;
}

}  // namespace orvane::settings_file
