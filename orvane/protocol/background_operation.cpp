#include "background_operation.h"

namespace orvane {
namespace {
constexpr auto kPumpSlice = std::chrono::milliseconds(5);
}

BackgroundOperation::BackgroundOperation(Body body) : body_(std::move(body)) {}

BackgroundOperation::~BackgroundOperation() {
  if (thread_.joinable()) thread_.join();
}

bool BackgroundOperation::start(int code, int row) {
  if (thread_.joinable()) return false;
  code_ = code;
  row_ = row;
  {
    std::lock_guard lock(mutex_);
    finished_ = false;
  }
  // The worker takes its code and row when it starts; the copies keep it
  // independent of later starts.
  thread_ = std::thread([this, code, row] {
    body_(code, row);
    std::lock_guard lock(mutex_);
    finished_ = true;
    finishedChanged_.notify_all();
  });
  return true;
}

bool BackgroundOperation::finished() const {
  std::lock_guard lock(mutex_);
  return thread_.joinable() && finished_;
}

bool BackgroundOperation::waitFinished(WaitLimit limit, const std::function<void()>& pump) {
  const auto deadline = limit ? std::chrono::steady_clock::now() + *limit
                              : std::chrono::steady_clock::time_point::max();
  std::unique_lock lock(mutex_);
  for (;;) {
    if (finished_) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    if (!pump) {
      if (limit) finishedChanged_.wait_until(lock, deadline);
      else finishedChanged_.wait(lock);
      continue;
    }
    finishedChanged_.wait_until(lock, std::min(deadline, now + kPumpSlice));
    if (finished_) return true;
    lock.unlock();
    pump();
    lock.lock();
  }
}

bool BackgroundOperation::end(WaitLimit limit, const std::function<void()>& pump) {
  if (!thread_.joinable()) return true;
  if (!waitFinished(limit, pump)) return false;
  thread_.join();
  return true;
}

}  // namespace orvane
