#include "corvel/comm_dcb.h"

namespace corvel {
namespace {

void putU16(DcbBytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void putU32(DcbBytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t getU32(const DcbBytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint8_t parityOf(std::uint8_t parityCode) {
  switch (parityCode) {
    case 1: return kEvenParity;
    case 2: return kOddParity;
    default: return kNoParity;
  }
}

bool wantsRtsToggle(const tagPPARAM& r) {
  return pparam::u8(r, pparam::kRtsToggle) != 0 || pparam::u8(r, pparam::kInterfaceType) == 2 ||
         pparam::u8(r, pparam::kRs485Mode) == 1;
}

}  // namespace

std::uint32_t baudRateOf(std::uint8_t baudCode) {
  static constexpr std::uint32_t kRates[] = {1200, 2400, 4800, 9600, 19200, 38400};
  return baudCode < std::size(kRates) ? kRates[baudCode] : 9600;
}

DcbBytes buildDcb(const tagPPARAM& r) {
  DcbBytes b{};
  putU32(b, kDcbLength, pparam::kDcbSize);
  putU32(b, kDcbBaudRate, baudRateOf(pparam::u8(r, pparam::kBaudCode)));
  // Binary mode, DTR held low, no DSR, XON/XOFF or null stripping; every
  // other flag (parity checking included) stays 0.
  std::uint32_t flags = kFlagBinary | (kDtrDisable << kDtrControlShift);
  if (pparam::u8(r, pparam::kCtsFlow) != 0) flags |= kFlagOutxCtsFlow;
  flags |= (wantsRtsToggle(r) ? kRtsToggle : kRtsEnable) << kRtsControlShift;
  putU32(b, kDcbFlags, flags);
  putU16(b, kDcbXonLim, 0);
  putU16(b, kDcbXoffLim, 0);
  b[kDcbByteSize] = pparam::u8(r, pparam::kDataBits);
  b[kDcbParity] = parityOf(pparam::u8(r, pparam::kParityCode));
  b[kDcbStopBits] = pparam::u8(r, pparam::kStopBitsCode) == 1 ? kTwoStopBits : kOneStopBit;
  return b;
}

LineSettings decodeDcb(const DcbBytes& b) {
  const std::uint32_t flags = getU32(b, kDcbFlags);
  LineSettings s;
  s.baudRate = getU32(b, kDcbBaudRate);
  s.byteSize = b[kDcbByteSize];
  s.parity = b[kDcbParity];
  s.stopBits = b[kDcbStopBits];
  s.checkParity = (flags & kFlagParity) != 0;
  s.ctsOutputFlow = (flags & kFlagOutxCtsFlow) != 0;
  s.xonXoffOut = (flags & kFlagOutX) != 0;
  s.xonXoffIn = (flags & kFlagInX) != 0;
  s.dtrControl = (flags >> kDtrControlShift) & 3u;
  s.rtsControl = (flags >> kRtsControlShift) & 3u;
  return s;
}

}  // namespace corvel
