#include "batch_run.h"

#include <utility>

#include "orvane/protocol/command_enabling.h"
#include "orvane/protocol/row_format.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kBootLoaderRefusal = "该模块处于BOOTLOAD状态，无法执行此命令。";

struct Step {
  ModuleResult result;
  std::string problem;  // why it failed
};

// One command on the module's row, judged by how it ended.
Step runCommand(int command, int row, SettingsSession& session,
                BatchDialogs& dialogs, RecordingPrompt& prompt, bool& hintShown) {
  if (!session.enabled(command, row)) return {ModuleResult::Failed, std::string(kBootLoaderRefusal)};
  prompt.takeProblem();  // a box shown before this command is not its reason
  const auto outcome = command == kCmdBasicSettings ? session.commands().basicSettings(row)
                                                    : session.commands().advancedSettings(row);
  // The hint on the firmware image behind "too old" is worth one showing.
  if (outcome == SettingsOutcome::ModuleTooOld && !hintShown) {
    hintShown = true;
    session.exitStatus(outcome, false);
  }
  auto problem = prompt.takeProblem();
  if (outcome == SettingsOutcome::Done) return {ModuleResult::Applied, {}};
  if (outcome == SettingsOutcome::Cancelled && !dialogs.refused())
    return {dialogs.changed() ? ModuleResult::WouldChange : ModuleResult::Unchanged, {}};
  if (problem.empty()) problem = "未能完成";
  return {ModuleResult::Failed, std::move(problem)};
}

// The module's commands, basic settings first; a failed one ends the module.
Step runLine(const BatchLine& line, SettingsSession& session, BatchDialogs& dialogs,
             RecordingPrompt& prompt, bool& hintShown) {
  const auto row = session.rowOf(line.mac);
  if (!row) return {ModuleResult::Failed, "未找到模块"};
  dialogs.begin(line);
  Step module{ModuleResult::Unchanged, {}};
  for (const auto& [given, command] : {std::pair{line.basic.any(), kCmdBasicSettings},
                                       std::pair{line.advanced.any(), kCmdAdvancedSettings}}) {
    if (!given) continue;
    auto step = runCommand(command, *row, session, dialogs, prompt, hintShown);
    if (step.result == ModuleResult::Failed) return step;
    if (step.result != ModuleResult::Unchanged) module.result = step.result;
  }
  return module;
}

std::string_view resultText(ModuleResult result) {
  switch (result) {
    case ModuleResult::Applied: return "已配置";
    case ModuleResult::WouldChange: return "将修改";
    case ModuleResult::Unchanged: return "无修改";
    case ModuleResult::Failed: break;
  }
  return "失败";
}

}  // namespace

MessageAnswer RecordingPrompt::messageBox(std::string_view text, std::string_view caption,
                                          MessageIcon icon, MessageButtons buttons) {
  if (icon == MessageIcon::Error || icon == MessageIcon::Warning) {
    std::lock_guard lock(mutex_);
    problem_ = std::string(text.substr(0, text.find('\n')));
  }
  return inner_.messageBox(text, caption, icon, buttons);
}

std::string RecordingPrompt::takeProblem() {
  std::lock_guard lock(mutex_);
  return std::exchange(problem_, {});
}

void BatchSummary::add(ModuleResult result) {
  switch (result) {
    case ModuleResult::Applied: ++applied; break;
    case ModuleResult::WouldChange: ++wouldChange; break;
    case ModuleResult::Unchanged: ++unchanged; break;
    case ModuleResult::Failed: ++failed; break;
  }
}

std::optional<BatchSummary> applyBatch(std::span<const BatchLine> lines, SettingsSession& session,
                                       BatchDialogs& dialogs, RecordingPrompt& prompt,
                                       std::ostream& out, bool dryRun) {
  if (!lines.empty() && !session.scan()) return std::nullopt;
  BatchSummary summary;
  bool hintShown = false;
  for (const auto& line : lines) {
    const auto step = runLine(line, session, dialogs, prompt, hintShown);
    summary.add(step.result);
    out << macText(line.mac) << " 第 " << line.line << " 行: " << resultText(step.result);
    if (step.result == ModuleResult::Failed) out << ": " << step.problem;
    out << '\n';
    if (step.result != ModuleResult::Failed)
      for (const auto& difference : dialogs.differences()) out << "  " << difference << '\n';
    out.flush();
  }
  out << "共 " << lines.size() << " 个模块: ";
  if (dryRun) out << "将修改 " << summary.wouldChange;
  else out << "已配置 " << summary.applied;
  out << "，无修改 " << summary.unchanged << "，失败 " << summary.failed;
  if (dryRun) out << "（试运行，未写入）";
  out << '\n';
  return summary;
}

}  // namespace orvane::cli
