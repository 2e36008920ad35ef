#pragma once
// Calls from any thread onto the user-interface thread: the two ways the
// worker reaches the windows.
//
// post() queues the call and returns at once (a window message posted).
// send() waits until the user-interface thread has run the call and returns
// its result (a window message sent). From a worker it is a blocking queued
// call; on the user-interface thread it runs the call directly, since a
// blocking queued call onto one's own thread would wait for itself forever.
//
// While the user-interface thread itself waits for the worker (ending it),
// it must keep serving the sent calls or both threads wait for each other:
// pump() runs the sent calls that are waiting, and is what the shell hands
// to BackgroundOperation::end.
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <functional>
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
      QMetaObject::invokeMethod(&receiver_, std::forward<F>(call), Qt::BlockingQueuedConnection);
    } else {
      Result result{};
      QMetaObject::invokeMethod(&receiver_, std::forward<F>(call), Qt::BlockingQueuedConnection,
                                &result);
      return result;
    }
  }

  // User-interface thread only: runs every sent call that waits.
  void pump() { QCoreApplication::sendPostedEvents(&receiver_, QEvent::MetaCall); }
  std::function<void()> pumpFunction() {
    return [this] { pump(); };
  }

  bool onGuiThread() const { return QThread::currentThread() == receiver_.thread(); }

 private:
  QObject receiver_;  // sent calls only, so that pump() serves nothing else
};

}  // namespace orvane
