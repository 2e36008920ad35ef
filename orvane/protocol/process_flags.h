#pragma once
// The two process-wide flags, written by one thread and polled by another,
// and the one way the communication-busy flag goes up and down.
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace orvane {

struct ProcessFlags {
  // Up for the duration of each serial-route operation; the main window's
  // close handler waits for it to clear. Raised and lowered only through
  // CommunicationScope, which also tells the close which threads hold it.
  std::atomic<bool> communicationBusy{false};
  // Set once the user has confirmed closing the main window; never cleared.
  // From then on no status text is stored and the serial operations stop
  // offering the port selection.
  std::atomic<bool> closing{false};

  // For the close: when the calling thread holds the communication-busy
  // flag, waiting for it here could never end, so `close` is kept to run on
  // this thread as soon as it lets go of the flag, and the result is true.
  // False (and `close` dropped) when this thread holds nothing.
  bool deferCloseWhileHeldHere(std::function<void()> close);

 private:
  friend class CommunicationScope;
  void hold();
  void letGo();

  std::mutex mutex_;
  // One entry per open scope: a flow on the user-interface thread and an
  // operation on the worker may hold the flag at the same time.
  std::vector<std::thread::id> holders_;  // guarded by mutex_
  std::function<void()> deferredClose_;   // guarded by mutex_
  std::thread::id deferredOn_;            // guarded by mutex_
};

// Raises the communication-busy flag for its lifetime on the thread that
// creates it; the flag stays up while any scope is open.
class CommunicationScope {
 public:
  explicit CommunicationScope(ProcessFlags& flags) : flags_(flags) { flags_.hold(); }
  ~CommunicationScope() { flags_.letGo(); }
  CommunicationScope(const CommunicationScope&) = delete;
  CommunicationScope& operator=(const CommunicationScope&) = delete;

 private:
  ProcessFlags& flags_;
};

// The one pair of the process. Cores take a ProcessFlags& so that tests can
// give them their own.
ProcessFlags& processFlags();

}  // namespace orvane
