#pragma once
// The view's single worker runner. Scans, refreshes, factory restore and the
// firmware download run on it, one at a time.
//
// States: none recorded -> recorded and running -> recorded and finished ->
// (end) none recorded. Only the first state accepts start: a finished worker
// stays recorded until some caller ends it, so every starter calls end first.
// start and end are called on the user-interface thread only.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace orvane {

class BackgroundOperation {
 public:
  using Body = std::function<void(int code, int row)>;
  using WaitLimit = std::optional<std::chrono::milliseconds>;  // nothing: no limit
  static constexpr WaitLimit kNoLimit = std::nullopt;

  explicit BackgroundOperation(Body body);
  // Waits for a recorded worker, without limit.
  ~BackgroundOperation();
  BackgroundOperation(const BackgroundOperation&) = delete;
  BackgroundOperation& operator=(const BackgroundOperation&) = delete;

  // Does nothing and returns false while a worker is recorded. Otherwise
  // records a new worker that runs body(code, row).
  bool start(int code, int row);

  // When a worker is recorded and has ended within `limit`, releases it.
  // Returns true when no worker remains recorded. While it waits, `pump` (if
  // given) is called every few milliseconds: the GUI passes a function that
  // handles its queued calls, so a worker blocked in a sent call or a
  // message box can still finish.
  bool end(WaitLimit limit, const std::function<void()>& pump = {});

  bool recorded() const { return thread_.joinable(); }
  bool finished() const;  // recorded and its body has returned

  // The code and row of the recorded worker (the last one started).
  int code() const { return code_; }
  int row() const { return row_; }

 private:
  bool waitFinished(WaitLimit limit, const std::function<void()>& pump);

  Body body_;
  std::thread thread_;  // the recorded worker; user-interface thread only
  int code_ = 0;        // user-interface thread only
  int row_ = 0;         // user-interface thread only
  mutable std::mutex mutex_;
  std::condition_variable finishedChanged_;
  bool finished_ = false;  // guarded by mutex_
};

}  // namespace orvane
