#pragma once
// Runs a piece of a test on a thread of its own, as the view's worker would,
// while the test's thread goes on handling its events (and so the worker's
// queued calls). A worker that has not ended within the limit ends the test
// program: it would be waiting on the user-interface thread for ever.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QtGlobal>
#include <atomic>
#include <thread>

namespace orvane::shell_tests {

template <typename F>
void runOnWorker(F&& work, int limitMs = 10000) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    work();
    done = true;
  });
  QElapsedTimer timer;
  timer.start();
  while (!done && timer.elapsed() < limitMs)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  if (!done) qFatal("a worker thread is still waiting for the user-interface thread");
  worker.join();
}

}  // namespace orvane::shell_tests
