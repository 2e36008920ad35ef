#include "frame_codec.h"

#include <cstdio>

namespace trax_sim {

bool isResultCommand(std::uint8_t code) {
  switch (code) {
    case WriteBasicSettings:
    case WriteAdvancedSettings:
    case WritePeerTable:
    case RestoreFactorySettings:
    case EraseFirmware:
    case WriteFirmwareBlock:
    case VerifyFirmware:
    case RestartModule:
      return true;
    default:
      return false;
  }
}

std::uint8_t xorOf(std::span<const std::uint8_t> bytes) {
  std::uint8_t x = 0;
  for (const auto b : bytes) x ^= b;
  return x;
}

const char* frameErrorText(FrameError error) {
  switch (error) {
    case FrameError::None: return "ok";
    case FrameError::TooShort: return "too short";
    case FrameError::BadHeader: return "header is not 0xAA";
    case FrameError::LengthMismatch: return "length field differs from the datagram size";
    case FrameError::BadCheckByte: return "wrong check byte";
  }
  return "?";
}

FrameError parseRequest(std::span<const std::uint8_t> datagram, Request& out) {
  // The shortest frame is discovery: header, length, code, check byte.
  if (datagram.size() < 5) return FrameError::TooShort;
  if (datagram[0] != kFrameHeader) return FrameError::BadHeader;
  const std::size_t length = getU16(datagram, 1);
  if (length != datagram.size()) return FrameError::LengthMismatch;
  if (xorOf(datagram.first(length - 1)) != datagram[length - 1]) return FrameError::BadCheckByte;
  out = Request{};
  out.code = datagram[3];
  out.length = length;
  if (out.code == DiscoverModules) {
    out.payload = datagram.subspan(4, length - 5);
    return FrameError::None;
  }
  if (length < kAddressedHeaderSize + 1) return FrameError::TooShort;
  Mac mac{};
  for (std::size_t i = 0; i < mac.size(); ++i) mac[i] = datagram[4 + i];
  out.mac = mac;
  out.payload = datagram.subspan(kAddressedHeaderSize, length - kAddressedHeaderSize - 1);
  return FrameError::None;
}

void sealFrame(Bytes& frame) {
  if (frame.size() < 5) return;
  putU16(frame, 1, static_cast<std::uint16_t>(frame.size()));
  frame.back() = xorOf(std::span(frame).first(frame.size() - 1));
}

Bytes buildReply(std::uint8_t code, std::span<const std::uint8_t> payload) {
  Bytes frame(4 + payload.size() + 1, 0);
  frame[0] = kFrameHeader;
  frame[3] = code;
  for (std::size_t i = 0; i < payload.size(); ++i) frame[4 + i] = payload[i];
  sealFrame(frame);
  return frame;
}

Bytes buildResultReply(std::uint8_t code, std::uint8_t result) {
  const std::uint8_t payload[1] = {result};
  return buildReply(code, payload);
}

std::string hexText(std::span<const std::uint8_t> bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) text.push_back(' ');
    text.push_back(digits[bytes[i] >> 4]);
    text.push_back(digits[bytes[i] & 0x0F]);
  }
  return text;
}

std::string macText(const Mac& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

namespace {
int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::optional<Mac> parseMac(const std::string& text) {
  // Exactly six pairs of hex digits with one separator between pairs.
  if (text.size() != 17) return std::nullopt;
  const char separator = text[2];
  if (separator != '-' && separator != '.' && separator != ':') return std::nullopt;
  Mac mac{};
  for (std::size_t i = 0; i < 6; ++i) {
    const std::size_t at = i * 3;
    if (i > 0 && text[at - 1] != separator) return std::nullopt;
    const int high = hexDigit(text[at]);
    const int low = hexDigit(text[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    mac[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return mac;
}

void putU16(Bytes& out, std::size_t offset, std::uint16_t value) {
  if (offset + 2 > out.size()) return;
  out[offset] = static_cast<std::uint8_t>(value);
  out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(Bytes& out, std::size_t offset, std::uint32_t value) {
  if (offset + 4 > out.size()) return;
  for (int i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint16_t getU16(std::span<const std::uint8_t> in, std::size_t offset) {
  if (offset + 2 > in.size()) return 0;
  return static_cast<std::uint16_t>(in[offset] | (in[offset + 1] << 8));
}

std::uint32_t getU32(std::span<const std::uint8_t> in, std::size_t offset) {
  if (offset + 4 > in.size()) return 0;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | in[offset + i];
  return value;
}

}  // namespace trax_sim
