#pragma once
// Calls from a worker onto the user-interface thread: the two ways a worker
// reaches the windows.
//
// post() queues the call and returns at once (a window message posted).
// send() waits until the user-interface thread has run the call and returns
// its result (a window message sent). On the user-interface thread it runs
// the call directly, since waiting for one's own thread would wait forever.
//
// Sent calls wait in a queue of our own, guarded by mutex_, and the sender
// waits on done_: the hand-over between the threads is a plain mutex and
// condition variable, which ThreadSanitizer follows, and Qt only wakes the
// user-interface thread to serve the queue.
//
// While the user-interface thread itself waits for the worker (ending it),
// it must keep serving the sent calls or both threads wait for each other:
// pump() runs the sent calls that are waiting.
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

namespace orvane {

class GuiThreadCalls {
 public:
  // Created on the user-interface thread; its calls run there.
  GuiThreadCalls() = default;
  GuiThreadCalls(const GuiThreadCalls&) = delete;
  GuiThreadCalls& operator=(const GuiThreadCalls&) = delete;

  // Runs `call` later on the user-interface thread, unless `context` has been
  // destroyed by then.
  template <typename F>
  static void post(QObject* context, F&& call) {
    QMetaObject::invokeMethod(context, std::forward<F>(call), Qt::QueuedConnection);
  }

  template <typename F>
  std::invoke_result_t<F&> send(F&& call) {
    using Result = std::invoke_result_t<F&>;
    if (onGuiThread()) return call();
    if constexpr (std::is_void_v<Result>) {
      runThere([&] { call(); });
    } else {
      std::optional<Result> result;
      runThere([&] { result.emplace(call()); });
      return std::move(*result);
    }
  }

  // User-interface thread only: runs every sent call that waits.
  void pump() {
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
  std::function<void()> pumpFunction() {
    return [this] { pump(); };
  }

  bool onGuiThread() const { return QThread::currentThread() == receiver_.thread(); }

 private:
  struct Waiting {
    const std::function<void()>* call;
    bool* done;  // guarded by mutex_
  };

  void runThere(const std::function<void()>& call) {
    bool done = false;
    std::unique_lock lock(mutex_);
    waiting_.push_back({&call, &done});
    QMetaObject::invokeMethod(&receiver_, [this] { pump(); }, Qt::QueuedConnection);
    done_.wait(lock, [&] { return done; });
  }

  QObject receiver_;  // wakes the user-interface thread to serve the queue
  std::mutex mutex_;
  std::condition_variable done_;
  std::deque<Waiting> waiting_;  // guarded by mutex_
};

}  // namespace orvane
