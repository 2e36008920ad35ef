#pragma once
// What the module list view owns besides its widgets: the module table, the
// route (ProtocolType), the serial port number (PortCom), the remembered row
// (SelectedRow), the pending status text and the background worker, with
// the operations that run on the worker and the checks the commands make.
// Plain C++: the Qt view owns one and reaches the windows through UiPort and
// Prompt.
//
// Threads: the methods marked "UI thread" are called on the user-interface
// thread only; runOperation and the operation handlers run on the worker.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "orvane/protocol/background_operation.h"
#include "orvane/protocol/config_store.h"
#include "orvane/protocol/datagram_transport.h"
#include "orvane/protocol/module_link.h"
#include "orvane/protocol/module_table.h"
#include "orvane/protocol/process_flags.h"
#include "orvane/protocol/prompt.h"
#include "orvane/protocol/row_format.h"
#include "orvane/protocol/status_text.h"
#include "orvane/protocol/ui_port.h"

namespace orvane {

// Background operation codes.
inline constexpr int kOperationScan = 1;
inline constexpr int kOperationRefresh = 9;
inline constexpr int kOperationFactoryRestore = 10;
inline constexpr int kOperationFirmwareDownload = 12;

inline constexpr auto kSelectionWait = std::chrono::milliseconds(100);

class OrvaneViewCore {
 public:
  // An operation of one code and route. `target` is the record index found
  // from the stored row's MAC text, except for the serial factory restore,
  // which receives the row itself.
  using OperationHandler = std::function<void(int target)>;

  // `config` is Lumen_.ini; the firmware file is looked for in its directory.
  OrvaneViewCore(UiPort& ui, Prompt& prompt, DatagramTransport& transport, ConfigStore config,
                 ProcessFlags& flags = processFlags());
  // Waits for a running worker without limit.
  ~OrvaneViewCore();

  // UI thread, when the view is first shown: ProtocolType, PortCom,
  // FirmwareFileName and the destination from the configuration store.
  void loadSettings();

  // Registers the operation for a code on a route (kProtocolTcpIp or
  // kProtocolSerial); replaces the one there. UI thread, before the first
  // start. Scan and refresh on the network route are built in; codes without
  // an operation do nothing.
  void setOperationHandler(int code, int protocolType, OperationHandler handler);

  // What the user-interface thread runs while it waits for the worker: the
  // GUI serves the worker's sent calls there (a worker blocked in one could
  // never end otherwise). Every wait for the worker made through the view
  // core, the settings commands and the firmware upgrade uses it. UI thread,
  // before the first start; none for front ends without a GUI thread.
  void setWorkerPump(std::function<void()> pump) { workerPump_ = std::move(pump); }
  const std::function<void()>& workerPump() const { return workerPump_; }
  // end() of the worker with the pump above.
  bool endWorker(BackgroundOperation::WaitLimit limit) { return worker_.end(limit, workerPump_); }

  // --- starters, UI thread ---
  bool startInitialScan();  // start(1, row 0)
  // "查找模块": the caller has deleted the list rows. end(100 ms); when no
  // worker remains recorded, SelectedRow 0 and start(1, 0). False when the
  // previous operation had not ended.
  bool findModules();
  // A row turned selected or was clicked: SelectedRow = row, end(100 ms),
  // start(9, row). False when an operation is still running.
  bool selectRow(int row);

  // Route commands: ProtocolType and its value in the configuration store.
  // The caller then sets the port button, sends the selection state and
  // acts as "查找模块".
  void setProtocolType(int protocolType);
  // The route for this session only, not stored: for front ends that choose
  // it themselves (orvane-cli scans over the network whatever the editor uses).
  void overrideProtocolType(int protocolType) { protocolType_ = protocolType; }
  // PortCom for this session only, not stored (orvane-cli --serial COMn).
  void overridePortCom(int port) { portCom_ = port; }
  int protocolType() const { return protocolType_; }
  int portCom() const { return portCom_; }
  int selectedRow() const { return selectedRow_; }
  void setSelectedRow(int row) { selectedRow_ = row; }

  // The serial port selection: the port dialog with PortCom; on OK PortCom
  // takes the choice and, when the port button exists, goes to the
  // configuration store and onto the button; on cancel the status text is
  // "就绪". Either thread.
  bool selectSerialPort();

  // --- checks, either thread ---
  int checkCompatibility(int index) const;
  bool manualResetSet(int index) const;
  // The run mode of the record a row's MAC text finds.
  std::uint8_t runModeOfRow(std::string_view macText) const;

  // --- the worker ---
  // The body of every background operation: busy indicator and "通信中...",
  // wait cursor, the operation of the code and route, "就绪", cursor, busy off.
  void runOperation(int code, int row);
  // Scan on the network route (operation 1); also run by the firmware
  // download after a successful upgrade.
  void scanNetwork();
  // Refresh of one module on the network route (operation 9).
  void refreshNetwork(int index);
  void busyIndicatorOn();
  void busyIndicatorOff();

  // The outcome of the last network discovery.
  DiscoveryResult lastDiscovery() const;

  // The configuration directory, "/", FirmwareFileName.
  std::filesystem::path firmwarePath() const;
  void setDestination(const platform::Endpoint& destination) { link_.setDestination(destination); }

  ModuleTable& table() { return table_; }
  const ModuleTable& table() const { return table_; }
  StatusText& status() { return status_; }
  ModuleLink& link() { return link_; }
  UiPort& ui() { return ui_; }
  Prompt& prompt() { return prompt_; }
  ProcessFlags& flags() { return flags_; }
  const ConfigStore& config() const { return config_; }
  BackgroundOperation& worker() { return worker_; }

 private:
  void dispatch(int code, int row);
  void readModuleDetails(int index);

  UiPort& ui_;
  Prompt& prompt_;
  ConfigStore config_;
  ProcessFlags& flags_;
  StatusText status_;
  ModuleLink link_;
  ModuleTable table_;
  std::atomic<int> protocolType_{kProtocolTcpIp};  // written on the UI thread, read by the worker
  std::atomic<int> portCom_{0};
  int selectedRow_ = 0;  // UI thread only
  mutable std::mutex mutex_;
  std::string firmwareFileName_;    // guarded by mutex_
  DiscoveryResult lastDiscovery_;   // guarded by mutex_
  std::map<std::pair<int, int>, OperationHandler> handlers_;  // set before the first start
  std::function<void()> workerPump_;                          // UI thread only
  // Last, so that it is destroyed first: the worker uses everything above.
  BackgroundOperation worker_;
};

}  // namespace orvane
