#pragma once
// Continuous polling: one worker thread repeats one function code, counting
// scans and errors, until the user stops it or a failure ends it.
//
// Threads: Start, Stop and statusLine run on the GUI thread; the worker thread
// calls the session, the prompt and the PollingView. running_ is the flag both
// write; the counts, the status text and the buffer are published by the session
// once per cycle, so a reader sees one whole cycle.
//
// After Stop the worker may still be in a request (with retries, for minutes).
// The stopped presentation enables the function-code and connect buttons only
// if the session has no request in flight (ModbusSession::requestInFlight);
// otherwise it leaves them disabled until pollStatus() or workerEnded() finds
// none. A request in flight is never followed by another of the worker once
// it has been stopped.
#include <atomic>
#include <string>
#include <thread>

#include "tessor/core/modbus_session.h"
#include "tessor/core/poll_clock.h"
#include "tessor/core/prompt.h"

namespace tessor {

struct PollingSettings {
  int functionCode = 3;
  int pollingMs = 0;        // 0-3000
  bool ignoreError = false;
  int timeInterval = 20;    // accepted 20-50000, not otherwise used
  int statusRefresh = 5;    // 1-255, units of 100 ms
};

// The window's side, called from the worker thread; the window marshals both
// onto its own thread and returns when they are done.
class PollingView {
 public:
  virtual ~PollingView() = default;
  virtual void pollStatus() = 0;           // UWM_POLL_STATUS: refresh the status line
  virtual void stoppedPresentation() = 0;  // a failure has ended polling
  // The worker's last call: it makes no request after it.
  virtual void workerEnded() = 0;
};

class PollingWorker {
 public:
  PollingWorker(ModbusSession& session, Prompt& prompt, PollingView& view, PollClock& clock);
  // Stops and waits for the worker. The window ends polling first and keeps
  // serving its marshalled calls until workerActive() is false, since a worker
  // blocked in a PollingView call cannot end.
  ~PollingWorker();
  PollingWorker(const PollingWorker&) = delete;
  PollingWorker& operator=(const PollingWorker&) = delete;

  // False without effect when the settings are out of range or the worker of the
  // previous run is still finishing its last request.
  bool Start(const PollingSettings& settings);
  // Stopped at once for the window; the worker ends after its current cycle.
  void Stop();
  bool running() const { return running_; }
  bool workerActive() const { return active_; }
  void waitForWorker();

  // The status line of the UWM_POLL_STATUS handler.
  std::string statusLine() const;

 private:
  void run(PollingSettings settings);
  bool keepGoing(int result, const PollingSettings& settings) const;

  ModbusSession& session_;
  Prompt& prompt_;
  PollingView& view_;
  PollClock& clock_;
  std::atomic<bool> running_{false};
  std::atomic<bool> active_{false};  // the worker thread has not returned yet
  std::thread thread_;               // GUI thread only
};

}  // namespace tessor
