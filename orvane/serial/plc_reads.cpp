// The two operations about the PLC itself: its model, and the module list
// from its slot table.
#include <span>

#include "orvane/serial/plc_memory_map.h"
#include "orvane/serial/plc_text.h"
#include "orvane/serial/serial_operations.h"
#include "orvane/serial/serial_texts.h"
#include "orvane/serial/text_fill.h"

namespace orvane {

namespace st = serial_texts;

bool SerialOperations::closeLink(PlcLink& link, bool result, std::string_view closeText, int port,
                                 std::string& text) {
  if (link.close()) return result;
  text += fillIn(closeText, port);
  return false;
}

bool SerialOperations::readPlcModel(std::string& text) {
  const int port = view_.portCom();
  PlcLink link(orders_, port);
  if (!link.opened()) {
    text = fillIn(st::kModelOpenFailed, port);
    return false;
  }
  bool result = false;
  OrderReply reply;
  const std::span<const std::uint8_t> data(reply.data() + plc::kDataOffset, plc::kMailboxAnswerBytes);
  if (orders_.order50(link.handle(), plc::kFamilyByte, 1, reply) != kOrderGood) {
    text = st::kModelReadFailed1;
  } else if (const char family = static_cast<char>(data[0]); family != 'Z' && family != 'z') {
    // Only the data byte: the reply's closing bytes are no part of the answer.
    text = fillIn(st::kUnsupportedPlc, plcTextUtf8(data.first(1)));
  } else {
    const std::uint8_t request[] = {plc::kMailboxPlcText};
    orders_.order51(link.handle(), plc::kMailboxRequest, request, reply);  // result not examined
    if (orders_.order50(link.handle(), plc::kMailboxAnswer, plc::kMailboxAnswerBytes, reply) !=
        kOrderGood) {
      text = st::kModelReadFailed3;
    } else if (const auto info = plcTextUtf8(data); info.find("I/O Base") == std::string::npos) {
      text = fillIn(st::kUnsupportedPlc, info);
    } else {
      result = true;
    }
  }
  return closeLink(link, result, st::kModelCloseFailed, port, text);
}

bool SerialOperations::readModuleList(std::string& text) {
  const int port = view_.portCom();
  PlcLink link(orders_, port);
  if (!link.opened()) {
    text = fillIn(st::kListOpenFailed, port);
    return false;
  }
  const bool result = readSlotTable(link, text) && readMacAddresses(link, text);
  return closeLink(link, result, st::kListCloseFailed, port, text);
}

// One record per entry 0x12, in entry order: entry i is group i / 8, slot i mod 8.
bool SerialOperations::readSlotTable(const PlcLink& link, std::string& text) {
  OrderReply reply;
  if (orders_.order50(link.handle(), plc::kSlotTableAddress, plc::kSlotTableBytes, reply) !=
      kOrderGood) {
    text = st::kListReadFailed;
    return false;
  }
  auto& table = view_.table();
  table.resetAll();  // the scan reset it just before; count 0 again
  for (int i = 0; i < plc::kSlotEntries; ++i) {
    if (reply[plc::kDataOffset + plc::kSlotEntryOffset + i] != plc::kEthernetModule) continue;
    ModuleRecord record;
    record.serialGroup = static_cast<std::uint8_t>(i / plc::kSlotsPerGroup);
    record.serialSlot = static_cast<std::uint8_t>(i % plc::kSlotsPerGroup);
    table.append(record);
  }
  return true;
}

// Each module's MAC address from the MAC table at its slot, read twice; the
// second answer is the one kept. The first failure ends the loop.
bool SerialOperations::readMacAddresses(const PlcLink& link, std::string& text) {
  auto& table = view_.table();
  const int count = table.count();
  for (int index = 0; index < count; ++index) {
    const int slot = table.record(index)->serialSlot;
    for (int attempt = 0; attempt < 2; ++attempt) {
      OrderReply reply;
      if (orders_.order61_12(link.handle(), plc::kMacArea, slot, plc::kMacReadBytes, reply) !=
          kOrderGood) {
        text = st::kMacReadFailed;
        return false;
      }
      table.update(index, [&](ModuleRecord& r) {
        std::copy_n(reply.begin() + plc::kDataOffset, r.mac.size(), r.mac.begin());
      });
    }
  }
  return true;
}

}  // namespace orvane
