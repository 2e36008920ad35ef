#pragma once
// What the IP address dialog ("IP地址") decides without its widgets: the PC's
// own settings shown from the adapter list, the module scan (one datagram, the
// answers collected for a second), the rows the answers give, and the address
// taken on OK.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/network_adapters.h"
#include "platform/udp_socket.h"

namespace tessor {

// The scan datagram: "HAP" 01 00 A5 "P" 01 00 05.
inline constexpr std::array<std::uint8_t, 10> kScanRequest = {0x48, 0x41, 0x50, 0x01, 0x00,
                                                              0xA5, 0x50, 0x01, 0x00, 0x05};
// Where an answer carries the address its module serves on (bytes 19-22,
// first byte first).
inline constexpr std::size_t kScanReplyAddressOffset = 19;
inline constexpr std::size_t kScanReplyCapacity = 1024;
inline constexpr int kScanCollectMs = 1000;

struct AdapterFields {
  std::string ip;  // the local IP text: the refresh needs it
  std::string mask;
  std::string gateway;
  std::string dns;
};

// Each adapter in turn fills the fields; the last one leaves its values. An
// adapter's addresses (and masks) are joined without separator, its gateways
// with a space.
AdapterFields adapterFields(const std::vector<platform::NetworkAdapter>& adapters);

// The refresh runs only when the local IP text splits at "." into four parts.
bool localAddressUsable(std::string_view localIp);

// The row of an answer: the address the module serves on, as the answer
// gives it (bytes 19-22 when they are there and not all zero), else the
// address the answer came from. A fixed network part would be wrong for every
// module on another network, and a row that cannot be connected to is no help.
std::string scanRowAddress(std::span<const std::uint8_t> reply, std::uint32_t sender);
inline constexpr const char* kScanRowPort = "502";

// OK: the text split at "." into four numbers, a missing part counting as 255,
// each truncated to its low 8 bits ("300.1.1.1" gives 44.1.1.1).
std::array<std::uint8_t, 4> parseDialogAddress(std::string_view text);

struct ScanOutcome {
  std::vector<std::string> rowAddresses;  // one per answer, in order of arrival
  // The message of a failure (shown without caption); the answers collected
  // before it are kept.
  std::optional<std::string> failure;
};

// Sends the scan datagram to `destination` (broadcast enabled) and collects
// the answers for `collectMs`.
ScanOutcome runModuleScan(const platform::Endpoint& destination, int collectMs = kScanCollectMs);

}  // namespace tessor
