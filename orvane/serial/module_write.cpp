// writeModuleParameters: the module's addresses and station into its word
// area, the command word, and the PLC's answer to it.
#include <array>
#include <vector>

#include "orvane/protocol/row_format.h"
#include "orvane/serial/bcd.h"
#include "orvane/serial/plc_memory_map.h"
#include "orvane/serial/serial_operations.h"
#include "orvane/serial/serial_texts.h"
#include "orvane/serial/text_fill.h"

namespace orvane {

namespace st = serial_texts;

namespace {

// Words 1 to 13 of the area, each the BCD form of a byte, low byte first:
// the three addresses last octet first, then the station.
std::vector<std::uint8_t> parameterBytes(const ModuleRecord& r) {
  std::vector<std::uint8_t> values;
  for (const auto* address : {&r.currentIp, &r.currentMask, &r.currentGateway})
    for (int i = 3; i >= 0; --i) values.push_back((*address)[static_cast<std::size_t>(i)]);
  values.push_back(static_cast<std::uint8_t>(r.moduleId));
  std::vector<std::uint8_t> bytes;
  for (const auto value : values) {
    const std::uint16_t word = valueToBcd(value);
    bytes.push_back(static_cast<std::uint8_t>(word));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
  }
  return bytes;
}

}  // namespace

// Codes 0 to 5 read as in the list; a write reports any higher code as not
// recognised as well.
std::string statusCodeText(int code) {
  if (code >= 0) {
    if (const auto cell = serialStatusCell(static_cast<unsigned>(code))) return cell->text;
  }
  return fillIn(st::kStatusUnknown, code);
}

bool SerialOperations::writeModuleParameters(ModuleRecord& working, std::string& text,
                                             bool* statusReported) {
  if (statusReported) *statusReported = false;
  if ((working.moduleId & 0xFFFF) > 255) {
    text = st::kStationInputOutOfRange;
    return false;
  }
  const auto base = plc::wordAreaBase(plc::modulePosition(working.serialGroup, working.serialSlot));
  if (!base) {
    text = st::kNoWordArea;
    return false;
  }
  const int port = view_.portCom();
  PlcLink link(orders_, port);
  if (!link.opened()) {
    text = fillIn(st::kParamsWriteOpenFailed, port);
    return false;
  }
  const bool result = writeParameterWords(link, working, *base, text, statusReported);
  return closeLink(link, result, st::kParamsCloseFailed, port, text);
}

bool SerialOperations::writeParameterWords(const PlcLink& link, ModuleRecord& working, int base,
                                           std::string& text, bool* statusReported) {
  OrderReply reply;
  const auto parameters = parameterBytes(working);
  const std::uint8_t command[] = {static_cast<std::uint8_t>(plc::kCommandTake),
                                  static_cast<std::uint8_t>(plc::kCommandTake >> 8)};
  if (orders_.order46(link.handle(), base + plc::kWordIp, parameters, reply) != kOrderGood ||
      orders_.order46(link.handle(), base + plc::kWordCommand, command, reply) != kOrderGood) {
    text = st::kParamsWriteFailed;
    return false;
  }
  if (orders_.order40(link.handle(), base + plc::kWordCommand, 1, reply) != kOrderGood) {
    text = st::kParamsNotRecognised;
    return false;
  }
  if (reply[plc::kWordDataOffset] == plc::kCommandTaken) {
    working.statusFlags = 0;
    return true;
  }
  if (orders_.order40(link.handle(), base + plc::kWordStatus, 1, reply) != kOrderGood) {
    text = st::kWrittenNoStatus;
    return false;
  }
  const int code = reply[plc::kWordDataOffset + 1];  // the high byte of word 0
  working.statusFlags = static_cast<std::uint16_t>(code);
  if (statusReported) *statusReported = true;
  text = std::string(st::kWrittenBut) + statusCodeText(code);
  return code == 0;
}

}  // namespace orvane
