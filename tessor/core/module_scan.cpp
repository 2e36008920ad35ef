#include "tessor/core/module_scan.h"

#include <algorithm>
#include <chrono>

#include "tessor/core/number_text.h"

namespace tessor {

namespace {

// The non-empty parts of `text` between dots.
std::vector<std::string_view> dottedParts(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t dot = std::min(text.find('.', start), text.size());
    if (dot > start) parts.push_back(text.substr(start, dot - start));
    start = dot + 1;
  }
  return parts;
}

template <typename T>
std::string joined(const std::vector<T>& items, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += separator;
    out += items[i];
  }
  return out;
}

}  // namespace

AdapterFields adapterFields(const std::vector<platform::NetworkAdapter>& adapters) {
  AdapterFields fields;
  for (const auto& adapter : adapters) {
    fields.ip = joined(adapter.addresses, "");
    fields.mask = joined(adapter.masks, "");
    fields.gateway = joined(adapter.gateways, " ");
    fields.dns = adapter.dhcpServer;
  }
  return fields;
}

bool localAddressUsable(std::string_view localIp) {
  return !localIp.empty() && dottedParts(localIp).size() == 4;
}

std::string scanRowAddress(std::span<const std::uint8_t> reply, std::uint32_t sender) {
  std::array<std::uint8_t, 4> address{static_cast<std::uint8_t>(sender >> 24), static_cast<std::uint8_t>(sender >> 16),
                                      static_cast<std::uint8_t>(sender >> 8), static_cast<std::uint8_t>(sender)};
  if (reply.size() >= kScanReplyAddressOffset + address.size()) {
    const auto carried = reply.subspan(kScanReplyAddressOffset, address.size());
    if (std::any_of(carried.begin(), carried.end(), [](std::uint8_t b) { return b != 0; }))
      std::copy(carried.begin(), carried.end(), address.begin());
  }
  return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." + std::to_string(address[2]) + "." +
         std::to_string(address[3]);
}

std::array<std::uint8_t, 4> parseDialogAddress(std::string_view text) {
  const auto parts = dottedParts(text);
  std::array<std::uint8_t, 4> address{255, 255, 255, 255};
  for (std::size_t i = 0; i < address.size() && i < parts.size(); ++i)
    address[i] = static_cast<std::uint8_t>(convertNumber(parts[i], 10).value & 0xFF);
  return address;
}

ScanOutcome runModuleScan(const platform::Endpoint& destination, int collectMs) {
  ScanOutcome outcome;
  platform::UdpSocket socket;
  if (!socket.open() || !socket.setBroadcast(true)) {
    outcome.failure = "setsockopt1 error\n";
    return outcome;
  }
  if (!socket.sendTo(destination, kScanRequest.data(), kScanRequest.size())) {
    outcome.failure = "Error Code " + std::to_string(socket.lastError());
    return outcome;
  }
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::milliseconds(collectMs);
  std::array<std::uint8_t, kScanReplyCapacity> reply{};
  for (auto now = Clock::now(); now < end; now = Clock::now()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
    if (!socket.setReceiveTimeout(static_cast<int>(std::max<long long>(left, 1)))) {
      outcome.failure = "setsockopt2 error\n";
      return outcome;
    }
    platform::Endpoint sender;
    const int size = socket.receive(reply.data(), reply.size(), &sender);
    if (size >= 0)
      outcome.rowAddresses.push_back(
          scanRowAddress(std::span(reply).first(static_cast<std::size_t>(size)), sender.address));
  }
  return outcome;
}

}  // namespace tessor
