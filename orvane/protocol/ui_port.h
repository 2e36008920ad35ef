#pragma once
// How the core reaches the windows: one method per window message, named
// after it. Each method says whether it is POSTED (the caller goes on at
// once; the GUI queues the call onto its thread) or SENT (the caller waits
// until the GUI thread has handled it; the GUI uses a blocking queued call
// from a worker and a direct call on its own thread). Calls may come from the
// user-interface thread or from the view's worker.
//
// The CLI and the tests implement the port with direct calls.
#include <cstdint>
#include <string>

#include "orvane/protocol/module_record.h"

namespace orvane {

class UiPort {
 public:
  virtual ~UiPort() = default;

  // UWM_REFRESH_LIST (2024), POSTED to the view: row -1 rebuilds every row
  // from the module table, any other value refreshes that row.
  virtual void refreshList(int row) = 0;

  // UWM_STATUS_POSTED (2054), POSTED to the view: a status text is pending.
  // The handler calls StatusText::onStatusPosted() on the GUI thread.
  virtual void statusPosted() = 0;

  // UWM_SET_STATUS_TEXT (2027), POSTED to the view: show
  // StatusText::pending() in pane 1 of the status bar.
  virtual void setStatusText() = 0;

  // UWM_SHOW_VERSIONS (2034), SENT to the main frame: fill the information
  // panel. `versions` lives only until the call returns.
  virtual void showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions) = 0;

  // SENT to the main frame just before showVersions: the network interface
  // the module answered on (empty with a single destination), for the
  // information panel. Front ends without the panel need not implement it.
  virtual void showInterface(const std::string& interfaceName) { (void)interfaceName; }

  // UWM_SELECTION_STATE (2035), SENT to the main frame: the route and the run
  // mode of the selected module (0 when none), for the panels' enabling.
  virtual void selectionState(int protocolType, std::uint8_t runMode) = 0;

  // UWM_PROGRESS (2044), POSTED to the progress dialog: percent 0-100; 100
  // closes it. Queued calls keep their order, and the last one is always 100.
  virtual void progress(int percent) = 0;

  // The status bar's progress control as busy indicator, POSTED: on shows it
  // at position 1 and starts its 1 ms timer (step 2, wrapping at 100); off
  // stops the timer and hides it.
  virtual void busyIndicator(bool on) = 0;

  // Whether the status bar's progress control exists. Any thread; the GUI
  // answers from a flag it sets once the status bar panes are built.
  virtual bool hasProgressControl() const = 0;

  // The status bar's port button, POSTED: its text ("TCP/IP", "COM3") and
  // whether it is enabled.
  virtual void portButton(const std::string& text, bool enabled) = 0;

  // Whether the status bar's port button exists; any thread, as above.
  virtual bool hasPortButton() const = 0;

  // The wait cursor, POSTED: on shows it, off restores the cursor.
  virtual void waitCursor(bool on) = 0;

  // Direct, on the user-interface thread: rewrites the text of one cell of
  // list row `row` (column numbers as in row_format.h). The basic settings
  // command shows what it wrote before the module table takes it.
  virtual void setRowText(int row, int column, const std::string& text) = 0;

  // SENT to the view: the column 0 text (the MAC text) of list row `row`, or
  // an empty text when the row does not exist. The worker finds the record
  // of its stored row through it.
  virtual std::string rowMacText(int row) = 0;
};

}  // namespace orvane
