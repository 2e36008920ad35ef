#pragma once
// The view's part of closing the main window. The serial operations raise
// the communication-busy flag through CommunicationScope (process_flags.h)
// while they talk to the PLC; the close reads who holds it there.
//
// Closing: while communicating, ask first; then set the closing flag (from
// then on no status text is stored and the serial operations stop offering
// the port selection); then wait until the communication-busy flag is clear
// (UWM_WAIT_IDLE) and close.
//
// The wait must never hold up the operation that will clear the flag:
//  - an operation on the worker may itself be waiting for the GUI thread (a
//    message box, a sent call), so the wait keeps handling the GUI's queued
//    calls (`pump`) between its tests;
//  - an operation on the GUI thread can only see a close request from inside
//    one of its own dialogs, that is further down the same stack; waiting
//    there could never end, so the close is deferred until that operation
//    lowers the flag.
#include <functional>

#include "orvane/protocol/process_flags.h"
#include "orvane/protocol/prompt.h"

namespace orvane {

class ClosingSequence {
 public:
  explicit ClosingSequence(Prompt& prompt, ProcessFlags& flags = processFlags());

  // Steps 1 and 2 of closing: while communicating, asks "正在通信中，退出软件吗？..."
  // (warning, OK and Cancel); anything but OK keeps the program running and
  // returns false. Otherwise sets the closing flag and returns true.
  bool confirmClose();

  // UWM_WAIT_IDLE. Returns true once the flag is clear: the caller closes
  // now. Between tests it calls `pump` and gives up its time slice. When the
  // flag is held by the calling thread itself, returns false at once; `then`
  // runs on that thread as soon as its operation lets go of the flag.
  bool waitIdle(const std::function<void()>& pump, std::function<void()> then = {});

  bool communicating() const { return flags_.communicationBusy; }
  bool closing() const { return flags_.closing; }

 private:
  Prompt& prompt_;
  ProcessFlags& flags_;
};

}  // namespace orvane
