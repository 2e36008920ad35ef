#include "tessor/core/polling_worker.h"

#include <chrono>

#include "tessor/core/function_requests.h"

namespace tessor {

namespace {
class SystemPollClock final : public PollClock {
 public:
  std::uint64_t tickMs() override {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
  }
  void sleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};
}  // namespace

PollClock& systemPollClock() {
  static SystemPollClock instance;
  return instance;
}

PollingWorker::PollingWorker(ModbusSession& session, Prompt& prompt, PollingView& view,
                             PollClock& clock)
    : session_(session), prompt_(prompt), view_(view), clock_(clock) {}

PollingWorker::~PollingWorker() {
  running_ = false;
  waitForWorker();
}

void PollingWorker::waitForWorker() {
  if (thread_.joinable()) thread_.join();
}

bool PollingWorker::Start(const PollingSettings& s) {
  if (running_ || s.timeInterval < 20 || s.timeInterval > 50000 || s.statusRefresh < 1 ||
      s.statusRefresh > 255)
    return false;
  if (active_) return false;  // one worker at a time
  waitForWorker();
  session_.resetCounts();
  running_ = true;
  active_ = true;
  try {
    thread_ = std::thread(&PollingWorker::run, this, s);
  } catch (const std::system_error&) {
    running_ = false;
    active_ = false;
    return false;
  }
  return true;
}

void PollingWorker::Stop() {
  running_ = false;
  session_.resetCounts();
}

std::string PollingWorker::statusLine() const {
  if (!running_) return "停止";
  const SharedState state = session_.snapshot();
  return "扫描次数 " + std::to_string(state.scanCount) + ",错误次数 " +
         std::to_string(state.errorCount) + "; " + state.statusText;
}

// Rejected inputs end polling like an uncollectable table: the later cycles
// would otherwise send the address and values of an earlier request that the
// user never confirmed.
bool PollingWorker::keepGoing(int result, const PollingSettings& s) const {
  if (!running_) return false;
  if (result == kRequestOk) return true;
  return s.ignoreError && result != kRequestNotMade && result != kRequestRejected;
}

void PollingWorker::run(PollingSettings s) {
  bool validate = true;
  int result = kRequestOk;
  for (;;) {
    const auto made = session_.pollingRequest(
        running_, [&] { return runFunctionCode(session_, s.functionCode, validate); });
    if (!made) break;  // stopped before this cycle's request
    result = *made;
    // At least one sleep even for polling time 0, so that back-to-back cycles
    // are still separated by two 1 ms sleeps (this one and the one below).
    const std::uint64_t start = clock_.tickMs();
    do {
      clock_.sleepMs(1);
    } while (clock_.tickMs() - start < static_cast<std::uint64_t>(s.pollingMs));
    const bool failed = result != kRequestOk;
    session_.publishPolled(running_, [&](SharedState& state) {
      ++state.scanCount;
      if (s.ignoreError && failed) ++state.errorCount;
    });
    clock_.sleepMs(1);
    validate = false;
    view_.pollStatus();
    if (!keepGoing(result, s)) break;
  }
  bool wasRunning = true;
  if (result != kRequestOk && running_.compare_exchange_strong(wasRunning, false)) {
    session_.resetCounts();
    view_.stoppedPresentation();
    if (!s.ignoreError) warn(prompt_, session_.snapshot().statusText);
  }
  view_.workerEnded();
  active_ = false;
}

}  // namespace tessor
