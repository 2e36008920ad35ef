#pragma once
// The two process-wide flags, written by one thread and polled by another.
#include <atomic>

namespace orvane {

struct ProcessFlags {
  // Up for the duration of each serial-route operation; the main window's
  // close handler waits for it to clear.
  std::atomic<bool> communicationBusy{false};
  // Set once the user has confirmed closing the main window; never cleared.
  // From then on no status text is stored and the serial operations stop
  // offering the port selection.
  std::atomic<bool> closing{false};
};

// The one pair of the process. Cores take a ProcessFlags& so that tests can
// give them their own.
ProcessFlags& processFlags();

}  // namespace orvane
