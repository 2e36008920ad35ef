#pragma once
// Calls from the polling worker onto the user-interface thread. A call is
// "sent": the worker waits until the window has run it (UWM_POLL_STATUS is
// sent, not posted). On the user-interface thread the call runs directly.
//
// While the user-interface thread waits for the worker to end (the window
// closing), it keeps running the calls the worker sends with serve(), or the
// two would wait for each other.
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QThread>
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
      QMetaObject::invokeMethod(&receiver_, std::forward<F>(call), Qt::BlockingQueuedConnection);
    } else {
      Result result{};
      QMetaObject::invokeMethod(&receiver_, std::forward<F>(call), Qt::BlockingQueuedConnection,
                                &result);
      return result;
    }
  }

  // User-interface thread only: runs the sent calls that wait.
  void serve() { QCoreApplication::sendPostedEvents(&receiver_, QEvent::MetaCall); }

 private:
  QObject receiver_;
};

}  // namespace tessor
