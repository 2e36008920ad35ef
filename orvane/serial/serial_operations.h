#pragma once
// The five operations of the serial route through the PLC. Each opens its own
// link (PlcLink: the link lock, OpenCom(0, PortCom, 9600, 8, 1, 0)), runs its
// orders, closes the link, and leaves a text for its caller, who decides
// whether a box shows it; none shows anything itself.
//
// Texts: a text set later replaces an earlier one; a failed close appends its
// text to whatever the operation holds and makes the operation fail. Without
// Wirelet, or when OpenCom fails, the operation sets its open-failure text
// and sends no order.
//
// Threads: the worker (scan, refresh, factory restore) and the
// user-interface thread (basic settings) both call them; the link lock keeps
// their links apart, and the module table guards its records itself.
#include <cstdint>
#include <string>

#include "orvane/protocol/orvane_view_core.h"
#include "orvane/serial/serial_orders.h"

namespace orvane {

class SerialOperations {
 public:
  SerialOperations(OrvaneViewCore& view, SerialOrders& orders) : view_(view), orders_(orders) {}

  // The PLC's family letter is "Z" or "z" and its information text holds "I/O Base".
  bool readPlcModel(std::string& text);

  // The module table from the PLC's slot table (entries 0x12), with each
  // module's MAC address. The caller (the scan) has reset the table.
  bool readModuleList(std::string& text);

  // The information text of the module at table `index`; on success `text`
  // holds it (UTF-8) and the record's name its first 20 bytes.
  bool readModuleInfo(int index, std::string& text);

  // The module's parameter words into its table record: statusFlags, the
  // three addresses in use when in range (a warning text otherwise), moduleId.
  bool readModuleParameters(int index, std::string& text);

  // The working record's addresses in use and moduleId into the module's
  // word area, then the command word and the status check. statusFlags of
  // `working` takes the outcome (0, or the status code the PLC reported).
  // `statusReported`, when given, tells whether the PLC answered with a
  // status code (the caller shows it in the list).
  bool writeModuleParameters(ModuleRecord& working, std::string& text,
                             bool* statusReported = nullptr);

  SerialOrders& orders() { return orders_; }

 private:
  bool readSlotTable(const PlcLink& link, std::string& text);
  bool readMacAddresses(const PlcLink& link, std::string& text);
  bool readParameterWords(const PlcLink& link, int index, int base, std::string& text);
  bool writeParameterWords(const PlcLink& link, ModuleRecord& working, int base, std::string& text,
                           bool* statusReported);
  // CloseCom at the end of an operation: appends the close text on failure.
  bool closeLink(PlcLink& link, bool result, std::string_view closeText, int port,
                 std::string& text);

  OrvaneViewCore& view_;
  SerialOrders& orders_;
};

// The text of a status code after a write ("----正常----" for 0).
std::string statusCodeText(int code);

}  // namespace orvane
