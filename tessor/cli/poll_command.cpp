// poll: the polling worker of the window, one output line per cycle and the
// scan and error counts at the end.
#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <ostream>

#include "tessor/cli/commands.h"
#include "tessor/cli/request_plan.h"
#include "tessor/cli/value_output.h"
#include "tessor/core/error_text.h"
#include "tessor/core/polling_worker.h"

namespace tessor::cli {

namespace {

std::atomic<bool> interrupted{false};
extern "C" void onInterrupt(int) { interrupted = true; }

enum class PollFormat { Text, Csv, Json };

std::string timeStamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  ::localtime_r(&seconds, &local);
  char text[40];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  std::snprintf(text + n, sizeof text - n, ".%03d", static_cast<int>(ms));
  return text;
}

// Called by the worker after each cycle (UWM_POLL_STATUS); stops it after the
// cycles asked for or on Ctrl-C.
class CliPollingView final : public PollingView {
 public:
  CliPollingView(CliSession& cli, const RequestPlan& plan, PollFormat format, long cycles, Streams streams)
      : cli_(cli), plan_(plan), format_(format), cycles_(cycles), streams_(streams) {}

  void pollStatus() override {
    const SharedState state = cli_.session.snapshot();
    scans = state.scanCount;
    errors = state.errorCount;
    const std::uint16_t code = cli_.quorra.lastStatus();
    if (code == 0 || ignoreErrors) printCycle(state, code);
    ++cycles;
    if ((cycles_ > 0 && cycles >= cycles_) || interrupted) worker->Stop();
  }
  void stoppedPresentation() override { stoppedByFailure = true; }
  void workerEnded() override {}

  void printHeader() {
    if (format_ != PollFormat::Csv) return;
    streams_.out << "time";
    for (int i = 0; i < plan_.values; ++i) streams_.out << ',' << cli_.valueName(plan_, i);
    streams_.out << '\n';
  }

  PollingWorker* worker = nullptr;
  bool ignoreErrors = false;
  long cycles = 0;
  int scans = 0;
  int errors = 0;
  bool stoppedByFailure = false;

 private:
  void printCycle(const SharedState& state, std::uint16_t code) {
    const std::string time = timeStamp();
    if (format_ == PollFormat::Json) {
      nlohmann::json line = {{"time", time}, {"scan", state.scanCount}};
      if (code != 0) {
        line["error"] = {{"code", code}, {"text", ErrorText(code)}};
      } else {
        nlohmann::json numbers = nlohmann::json::array();
        for (const auto& v : shownValues(cli_, plan_, state.buffer)) numbers.push_back(jsonNumber(v.number));
        line["values"] = numbers;
      }
      streams_.out << line.dump() << std::endl;
      return;
    }
    const char separator = format_ == PollFormat::Csv ? ',' : ' ';
    streams_.out << time;
    if (code != 0 && format_ == PollFormat::Csv) {
      for (int i = 0; i < plan_.values; ++i) streams_.out << ',';
    } else if (code != 0) {
      streams_.out << " 错误 " << code << ": " << ErrorText(code);
    } else {
      for (const auto& v : shownValues(cli_, plan_, state.buffer)) streams_.out << separator << v.text;
    }
    streams_.out << std::endl;
  }

  CliSession& cli_;
  const RequestPlan& plan_;
  PollFormat format_;
  long cycles_;
  Streams streams_;
};

struct PollOptions {
  PollFormat format = PollFormat::Text;
  long cycles = 0;  // 0: until Ctrl-C
  int interval = 0;
  bool ignoreErrors = false;
  std::string error;
};

PollOptions pollOptions(const CommandArguments& args, int defaultInterval) {
  PollOptions o;
  o.interval = defaultInterval;
  o.ignoreErrors = args.options.contains("--ignore-errors");
  if (args.options.contains("--json") && args.options.contains("--csv")) o.error = "--json 与 --csv 只能选一";
  if (args.options.contains("--json")) o.format = PollFormat::Json;
  if (args.options.contains("--csv")) o.format = PollFormat::Csv;
  if (const auto it = args.options.find("--cycles"); it != args.options.end()) {
    const auto n = boundedNumber(it->second, 1, 1000000000);
    if (!n) o.error = "--cycles: 请输入一个介于 1 和 1000000000 之间的整数。";
    o.cycles = n.value_or(0);
  }
  if (const auto it = args.options.find("--interval"); it != args.options.end()) {
    const auto n = boundedNumber(it->second, 0, 3000);
    if (!n) o.error = "--interval: 请输入一个介于 0 和 3000 之间的整数。";
    o.interval = static_cast<int>(n.value_or(0));
  }
  return o;
}

}  // namespace

int runPoll(const CliConfig& config, const Arguments& arguments, Streams streams) {
  const auto args = splitArguments(arguments, optionsWithValue(CommandKind::Poll), flagOptions(CommandKind::Poll));
  const PollOptions options = pollOptions(args, config.connection.polling);
  if (!args.error.empty() || !options.error.empty()) {
    streams.err << "tessor-cli: " << (args.error.empty() ? options.error : args.error) << '\n';
    return kExitUsage;
  }
  Connection connection = config.connection;
  connection.polling = options.interval;
  CliSession cli(connection);
  RequestPlan plan;
  if (const int status = preparePlan(args, CommandKind::Poll, cli, plan, streams)) return status;
  if (const int status = cli.connect(plan, streams)) return status;

  CliPollingView view(cli, plan, options.format, options.cycles, streams);
  view.ignoreErrors = options.ignoreErrors;
  PollingWorker worker(cli.session, cli.prompt, view, systemPollClock());
  view.worker = &worker;
  PollingSettings settings;
  settings.functionCode = plan.functionCode;
  settings.pollingMs = options.interval;
  settings.ignoreError = options.ignoreErrors;
  view.printHeader();
  interrupted = false;
  const auto previous = std::signal(SIGINT, onInterrupt);
  const bool started = worker.Start(settings);
  worker.waitForWorker();
  std::signal(SIGINT, previous);
  if (!started) {
    streams.err << "tessor-cli: 无法启动轮询\n";
    return kExitFailure;
  }
  streams.err << "扫描次数 " << view.scans << ",错误次数 " << view.errors << '\n';
  if (!view.stoppedByFailure) return kExitOk;
  const std::uint16_t code = cli.quorra.lastStatus();
  printError(plan, code, ErrorText(code), streams);
  return kExitFailure;
}

}  // namespace tessor::cli
