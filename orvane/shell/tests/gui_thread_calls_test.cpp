// Posted and sent calls onto the user-interface thread, from a worker and
// from the user-interface thread itself.
#include "orvane/shell/gui_thread_calls.h"

#include <QTest>
#include <QThread>
#include <vector>

#include "orvane/protocol/background_operation.h"
#include "worker_thread.h"

namespace orvane::shell_tests {
namespace {

class GuiThreadCallsTest : public QObject {
  Q_OBJECT

 private slots:
  void sentCallFromWorkerRunsOnGuiThreadAndReturns() {
    GuiThreadCalls calls;
    QThread* ranOn = nullptr;
    int result = 0;
    runOnWorker([&] {
      result = calls.send([&] {
        ranOn = QThread::currentThread();
        return 42;
      });
    });
    QCOMPARE(result, 42);
    QCOMPARE(ranOn, QCoreApplication::instance()->thread());
  }

  // A blocking queued call onto one's own thread would never run; the call
  // must run at once instead.
  void sentCallOnGuiThreadRunsAtOnce() {
    GuiThreadCalls calls;
    bool ran = false;
    calls.send([&] { ran = true; });
    QVERIFY(ran);
    QCOMPARE(calls.send([] { return std::string("00.11.22.33.44.55"); }), "00.11.22.33.44.55");
  }

  // Ending a worker that waits in a sent call: without serving the call the
  // wait can only time out; with the pump the worker gets its answer and ends.
  void pumpLetsAWorkerInASentCallEnd() {
    GuiThreadCalls calls;
    std::atomic<int> answered{0};
    BackgroundOperation worker([&](int, int) { answered = calls.send([] { return 7; }); });
    QVERIFY(worker.start(1, 0));
    QVERIFY(!worker.end(std::chrono::milliseconds(50)));
    QVERIFY(worker.end(std::chrono::seconds(10), calls.pumpFunction()));
    QCOMPARE(answered.load(), 7);
  }

  void postedCallsRunLaterInTheirOrder() {
    QObject context;
    std::vector<int> order;
    GuiThreadCalls::post(&context, [&] { order.push_back(0); });
    QVERIFY(order.empty());  // posted, not run on the spot
    runOnWorker([&] {
      for (int i = 1; i <= 3; ++i)
        GuiThreadCalls::post(&context, [&order, i] { order.push_back(i); });
    });
    QTRY_COMPARE_WITH_TIMEOUT(order.size(), std::size_t{4}, 5000);
    QCOMPARE(order, (std::vector<int>{0, 1, 2, 3}));
  }

  void postedCallToAWindowThatHasGoneIsDropped() {
    bool ran = false;
    {
      QObject context;
      GuiThreadCalls::post(&context, [&] { ran = true; });
    }
    QCoreApplication::processEvents();
    QVERIFY(!ran);
  }
};

}  // namespace


}  // namespace orvane::shell_tests

QTEST_MAIN(orvane::shell_tests::GuiThreadCallsTest)
#include "gui_thread_calls_test.moc"
