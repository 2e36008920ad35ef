// The two reads about one module: its information text through the mailbox,
// and its parameter words.
#include <array>
#include <span>

#include "orvane/serial/bcd.h"
#include "orvane/serial/plc_memory_map.h"
#include "orvane/serial/plc_text.h"
#include "orvane/serial/serial_operations.h"
#include "orvane/serial/serial_texts.h"
#include "orvane/serial/text_fill.h"

namespace orvane {

namespace st = serial_texts;

namespace {

constexpr std::size_t kNameBytesFromPlc = 20;

int positionOf(const ModuleRecord& record) {
  return plc::modulePosition(record.serialGroup, record.serialSlot);
}

std::uint16_t wordAt(const OrderReply& reply, int word) {
  const auto at = static_cast<std::size_t>(plc::kWordDataOffset + 2 * word);
  return static_cast<std::uint16_t>(reply[at] | (reply[at + 1] << 8));
}

// Four BCD words, last octet first, as an address first octet first;
// nothing when a word reads above 255.
std::optional<Ipv4Bytes> addressFromWords(const OrderReply& reply, int firstWord) {
  Ipv4Bytes address{};
  for (int i = 0; i < 4; ++i) {
    const unsigned value = bcdToValue(wordAt(reply, firstWord + i));
    if (value > 255) return std::nullopt;
    address[static_cast<std::size_t>(3 - i)] = static_cast<std::uint8_t>(value);
  }
  return address;
}

// The wait cursor for the length of a scope.
class WaitCursor {
 public:
  explicit WaitCursor(UiPort& ui) : ui_(ui) { ui_.waitCursor(true); }
  ~WaitCursor() { ui_.waitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiPort& ui_;
};

}  // namespace

bool SerialOperations::readModuleInfo(int index, std::string& text) {
  const auto record = view_.table().record(index);
  if (!record) {
    text = st::kInfoReadFailed;
    return false;
  }
  const int port = view_.portCom();
  PlcLink link(orders_, port);
  if (!link.opened()) {
    text = fillIn(st::kInfoOpenFailed, port);
    return false;
  }
  OrderReply reply;
  const std::uint8_t request[] = {plc::mailboxModuleRequest(positionOf(*record))};
  orders_.order51(link.handle(), plc::kMailboxRequest, request, reply);  // result not examined
  bool result = false;
  if (orders_.order50(link.handle(), plc::kMailboxAnswer, plc::kMailboxAnswerBytes, reply) ==
      kOrderGood) {
    const std::span<const std::uint8_t> data(reply.data() + plc::kDataOffset, plc::kMailboxAnswerBytes);
    view_.table().update(index, [&](ModuleRecord& r) {
      std::copy_n(data.begin(), kNameBytesFromPlc, r.name.begin());
    });
    text = plcTextUtf8(data);
    result = true;
  } else {
    text = st::kInfoReadFailed;
  }
  return closeLink(link, result, st::kInfoCloseFailed, port, text);
}

bool SerialOperations::readModuleParameters(int index, std::string& text) {
  const int port = view_.portCom();
  PlcLink link(orders_, port);
  if (!link.opened()) {
    text = fillIn(st::kParamsReadOpenFailed, port);
    return false;
  }
  const auto record = view_.table().record(index);
  const auto base = record ? plc::wordAreaBase(positionOf(*record)) : std::nullopt;
  bool result = false;
  if (!base) {
    text = st::kNoWordArea;
  } else {
    result = readParameterWords(link, index, *base, text);
  }
  return closeLink(link, result, st::kParamsCloseFailed, port, text);
}

bool SerialOperations::readParameterWords(const PlcLink& link, int index, int base,
                                          std::string& text) {
  WaitCursor cursor(view_.ui());
  OrderReply reply;
  if (orders_.order40(link.handle(), base, plc::kWordAreaWords, reply) != kOrderGood) {
    text = st::kParamsReadFailed;
    return false;
  }
  const auto ip = addressFromWords(reply, plc::kWordIp);
  const auto mask = addressFromWords(reply, plc::kWordMask);
  const auto gateway = addressFromWords(reply, plc::kWordGateway);
  if (!ip) text = st::kIpOutOfRange;
  if (!mask) text = st::kMaskOutOfRange;
  if (!gateway) text = st::kGatewayOutOfRange;
  const unsigned station = bcdToValue(wordAt(reply, plc::kWordStation) & 0x0FFF);
  view_.table().update(index, [&](ModuleRecord& r) {
    r.statusFlags = wordAt(reply, plc::kWordStatus);
    if (ip) r.currentIp = *ip;
    if (mask) r.currentMask = *mask;
    if (gateway) r.currentGateway = *gateway;
    if (station <= 255) r.moduleId = station;
  });
  if (station > 255) {
    text = st::kStationOutOfRange;
    return false;
  }
  return true;
}

}  // namespace orvane
