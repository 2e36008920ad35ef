#pragma once
// The editor's flows on the serial route (ProtocolType 1): the scan
// (operation 1) with its detail read, the refresh of the selected module
// (operation 9), the factory restore (operation 10) and the basic settings
// command. The operations run on the view's worker; the basic settings
// command on the user-interface thread.
//
// The scan, the factory restore and the basic settings command hold the
// communication-busy flag (a CommunicationScope) while they run; the main
// window's close waits for it, and a close asked for from inside the basic
// settings dialog is put off until the command lets go of it. Once the
// program is closing they stop offering the port selection when the PLC
// does not answer.
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "orvane/protocol/orvane_view_core.h"
#include "orvane/protocol/settings_dialogs.h"
#include "orvane/serial/serial_operations.h"

namespace orvane {

// How a serial flow ended, for front ends that report it (orvane-cli); the
// editor has shown everything already.
enum class SerialOutcome {
  NotRun,      // no module to work on
  Cancelled,   // a question, the dialog or the port selection was cancelled
  Closing,     // the program is closing: the flow stopped
  Failed,      // the failure was shown (box or status text)
  Done,
};

struct SerialResult {
  SerialOutcome outcome = SerialOutcome::NotRun;
  std::string failureText;  // the text of the last failed operation, if any
};

class SerialRoute {
 public:
  // The edit step of the basic settings command: the basic settings dialog
  // on a settings copy of the module and the route; true on OK, when the
  // copy holds the edited values.
  using EditBasicSettings = std::function<bool(ModuleRecord& copy, int protocolType)>;

  SerialRoute(OrvaneViewCore& view, SerialOrders& orders);

  // Registers operations 1, 9 and 10 of the serial route on the view.
  // User-interface thread, before the first start.
  void install();

  // Operation 1: the model check (offering the port selection while the PLC
  // does not answer), the module list, the detail read.
  void scan();
  // The detail read that ends a scan with modules: information text,
  // versions and parameters of each, then the list and the version panel.
  void readListedModules();
  // Operation 9: the versions of the module at `index` to the version panel.
  void refresh(int index);
  // Operation 10: asks, then writes the factory addresses for list `row`.
  void restoreFactory(int row);

  // The basic settings command for list `row` (-1 when none is selected).
  SerialResult basicSettings(int row, const EditBasicSettings& edit);
  // The same with the editor's basic settings dialog as the edit step.
  SerialResult basicSettings(int row, SettingsDialogs& dialogs);

  // How the last scan and the last factory restore ended.
  SerialResult lastScan() const;
  SerialResult lastRestore() const;
  SerialOperations& operations() { return operations_; }

 private:
  SerialResult scanSteps();
  SerialResult restoreSteps(int row);
  SerialResult basicSteps(int index, int row, ModuleRecord& copy);
  // Writes until it succeeds, offering the port selection after each
  // failure while the program is not closing. `failureBox`, when not empty,
  // is shown after each failure.
  SerialResult writeUntilDone(int index, int row, ModuleRecord& working, std::string_view failureBox);
  // A status code the PLC reported goes into the table record and its row.
  void showReportedStatus(int index, int row, const ModuleRecord& working);
  // The record of list `row`, when it lies within the table.
  std::optional<int> recordOfRow(int row);
  void errorBox(std::string_view text);

  OrvaneViewCore& view_;
  SerialOperations operations_;
  mutable std::mutex mutex_;
  SerialResult lastScan_;     // guarded by mutex_
  SerialResult lastRestore_;  // guarded by mutex_
};

}  // namespace orvane
