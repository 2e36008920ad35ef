#pragma once
// Calls from the polling worker onto the user-interface thread. A call is
// "sent": the worker waits until the window has run it (UWM_POLL_STATUS is
// sent, not posted). On the user-interface thread the call runs directly.
//
// The calls wait in a queue of our own, guarded by mutex_, and the worker
// waits on done_: the hand-over between the threads is a plain mutex and
// condition variable, which ThreadSanitizer follows, and Qt only wakes the
// user-interface thread to serve the queue.
//
// While the user-interface thread waits for the worker to end (the window
// closing), it keeps running the calls the worker sends with serve(), or the
// two would wait for each other.
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

namespace tessor {

class GuiCalls {
 public:
  GuiCalls() = default;  // on the user-interface thread
  GuiCalls(const GuiCalls&) = delete;
  GuiCalls& operator=(const GuiCalls&) = delete;

  template <typename F>
  std::invoke_result_t<F&> send(F&& call) {
    using Result = std::invoke_result_t<F&>;
    if (QThread::currentThread() == receiver_.thread()) return call();
    if constexpr (std::is_void_v<Result>) {
      runThere([&] { call(); });
    } else {
      std::optional<Result> result;
      runThere([&] { result.emplace(call()); });
      return std::move(*result);
    }
  }

  // User-interface thread only: runs the sent calls that wait.
  void serve() {
    for (;;) {
      std::unique_lock lock(mutex_);
      if (waiting_.empty()) return;
      Waiting next = std::move(waiting_.front());
      waiting_.pop_front();
      lock.unlock();
      (*next.call)();
      lock.lock();
      *next.done = true;
      done_.notify_all();
    }
  }

 private:
  struct Waiting {
    const std::function<void()>* call;
    bool* done;  // guarded by mutex_
  };

  void runThere(const std::function<void()>& call) {
    bool done = false;
    std::unique_lock lock(mutex_);
    waiting_.push_back({&call, &done});
    QMetaObject::invokeMethod(&receiver_, [this] { serve(); }, Qt::QueuedConnection);
    done_.wait(lock, [&] { return done; });
  }

  QObject receiver_;
  std::mutex mutex_;
  std::condition_variable done_;
  std::deque<Waiting> waiting_;  // guarded by mutex_
};

}  // namespace tessor
