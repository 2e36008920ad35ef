#pragma once
// `orvane-cli apply` after its file was taken: one scan, then module by
// module the editor's "基本配置..." and "高级配置..." commands with the
// line's cells as the dialogs' input, a result line each and a summary.
// A module that fails is reported and the next one follows.
#include <mutex>
#include <ostream>
#include <span>
#include <string>

#include "batch_dialogs.h"
#include "batch_file.h"
#include "settings_session.h"

namespace orvane::cli {

// The prompt of the run, remembering the last error or warning shown, so
// a module's result line can say why it failed.
class RecordingPrompt final : public Prompt {
 public:
  explicit RecordingPrompt(Prompt& inner) : inner_(inner) {}
  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path& initial,
                                                  std::string_view filter) override {
    return inner_.chooseFile(initial, filter);
  }
  std::optional<int> choosePort(int current) override { return inner_.choosePort(current); }

  // The first line of the last error or warning since the last call; empty
  // when none was shown.
  std::string takeProblem();

 private:
  Prompt& inner_;
  std::mutex mutex_;
  std::string problem_;  // guarded by mutex_
};

enum class ModuleResult { Applied, WouldChange, Unchanged, Failed };

struct BatchSummary {
  int applied = 0, wouldChange = 0, unchanged = 0, failed = 0;
  void add(ModuleResult result);
};

// Runs every line on the modules the session's scan found; the result
// lines and the summary go to `out`. Nothing after a message when the
// scan failed.
std::optional<BatchSummary> applyBatch(std::span<const BatchLine> lines, SettingsSession& session,
                                       BatchDialogs& dialogs, RecordingPrompt& prompt,
                                       std::ostream& out, bool dryRun);

}  // namespace orvane::cli
