// The boot loader of a simulated module: entering it, erasing an area,
// taking the image block by block, verifying it and restarting.
#include <algorithm>
#include <cstring>
#include <utility>

#include "command_handlers.h"

namespace trax_sim {
namespace {

constexpr std::size_t kMaxBlock = 512;
constexpr const char* kSystemMagic = "M4-TRAX100";
constexpr const char* kBootMagic = "BOOTLOADER";

Handled result(std::uint8_t code, std::uint8_t value, std::string note = {}) {
  Handled h;
  h.reply = buildResultReply(code, value);
  h.note = std::move(note);
  return h;
}

Handled readBootInfo(const Module& m, std::span<const std::uint8_t> p) {
  Handled h;
  if (!p.empty()) {
    h.note = "ReadBootInfo with a payload";
    return h;
  }
  Bytes out(7, 0);
  std::copy(m.versions.boot.begin(), m.versions.boot.end(), out.begin());
  out[4] = m.versions.pwb[0];
  out[5] = m.versions.pwb[1];
  out[6] = m.versions.switchByte;
  h.reply = buildReply(ReadBootInfo, out);
  return h;
}

Handled enterBootLoader(Module& m, std::span<const std::uint8_t> p, std::int64_t nowMs) {
  if (!p.empty()) {
    Handled h;
    h.note = "EnterBootLoader with a payload";
    return h;
  }
  if (m.runMode != kRunModeBootLoader) {
    // The system program answers, then the module restarts into its boot
    // loader and says nothing meanwhile.
    m.pending = PendingTransition{nowMs + m.timing.enterBootLoaderMs, false, kRunModeBootLoader};
  }
  return result(EnterBootLoader, kResultOk);
}

Handled erase(Module& m, std::span<const std::uint8_t> p) {
  if (p.size() != 1) return result(EraseFirmware, kRefusedLength, "EraseFirmware of wrong length");
  const std::uint8_t kind = p[0];
  if (kind != 1 && kind != 2) return result(EraseFirmware, kRefusedKind, "EraseFirmware of unknown kind");
  m.download = Download{};
  m.download.erased = true;
  m.download.kind = kind;
  auto& area = m.area(kind);
  area.valid = false;
  area.content.clear();
  area.newVersion.reset();
  Handled h = result(EraseFirmware, kResultOk);
  h.extraDelayMs = m.timing.eraseMs;
  return h;
}

Handled writeBlock(Module& m, std::span<const std::uint8_t> p) {
  if (p.size() < 9 || p.size() != 9 + std::size_t{getU16(p, 7)})
    return result(WriteFirmwareBlock, kRefusedLength, "WriteFirmwareBlock length does not match n");
  const std::uint8_t kind = p[0];
  const std::uint16_t number = getU16(p, 1);
  const std::uint32_t offset = getU32(p, 3);
  const std::size_t n = getU16(p, 7);
  auto& d = m.download;
  if (!d.erased || kind != d.kind)
    return result(WriteFirmwareBlock, kRefusedNotErased, "block for an area that was not erased");
  if (number != d.nextBlock)
    return result(WriteFirmwareBlock, kRefusedBlockNumber,
                  "block " + std::to_string(number) + ", expected " + std::to_string(d.nextBlock));
  if (offset != d.written.size())
    return result(WriteFirmwareBlock, kRefusedBlockOffset,
                  "offset " + std::to_string(offset) + ", expected " + std::to_string(d.written.size()));
  if (n == 0 || n > kMaxBlock || n % 4 != 0 || d.shortBlockSeen || d.written.size() + n > kMaxImageBytes)
    return result(WriteFirmwareBlock, kRefusedBlockLength, "block length " + std::to_string(n) + " refused");
  d.written.insert(d.written.end(), p.begin() + 9, p.end());
  d.shortBlockSeen = n < kMaxBlock;
  ++d.nextBlock;
  return result(WriteFirmwareBlock, kResultOk);
}

// The image length before padding: the last block was padded with up to three
// 0xFF bytes. Two 0xFF bytes cancel out in the XOR, so padding p and p - 2 both
// fit the check byte; the longest padding that fits wins, which is wrong only
// for an image whose data itself ends in two 0xFF bytes.
std::optional<std::size_t> imageLength(const Bytes& written, std::uint8_t check) {
  for (std::size_t pad = std::min<std::size_t>(3, written.size()) + 1; pad-- > 0;) {
    const std::size_t length = written.size() - pad;
    const bool padded = std::all_of(written.begin() + static_cast<std::ptrdiff_t>(length), written.end(),
                                    [](std::uint8_t b) { return b == 0xFF; });
    if (padded && xorOf(std::span(written).first(length)) == check) return length;
  }
  return std::nullopt;
}

Handled verify(Module& m, std::span<const std::uint8_t> p) {
  if (p.size() != 6) return result(VerifyFirmware, kRefusedLength, "VerifyFirmware of wrong length");
  const std::uint8_t kind = p[0];
  const std::uint32_t total = getU32(p, 1);
  auto& d = m.download;
  if (!d.erased || kind != d.kind) return result(VerifyFirmware, kRefusedNotErased, "verify of an area not erased");
  if (total != d.written.size())
    return result(VerifyFirmware, kRefusedTotal,
                  "total " + std::to_string(total) + ", written " + std::to_string(d.written.size()));
  const auto length = imageLength(d.written, p[5]);
  if (!length) return result(VerifyFirmware, kRefusedCheckByte, "check byte does not match the data");
  const char* magic = kind == 1 ? kBootMagic : kSystemMagic;
  if (*length < 37 || std::memcmp(d.written.data(), magic, 10) != 0)
    return result(VerifyFirmware, kRefusedMagic, std::string("image does not start with ") + magic);
  auto& area = m.area(kind);
  area.content.assign(d.written.begin(), d.written.begin() + static_cast<std::ptrdiff_t>(*length));
  area.valid = true;
  area.newVersion = Version4{area.content[32], area.content[33], area.content[34], area.content[35]};
  d = Download{};
  Handled h = result(VerifyFirmware, kResultOk);
  h.verifiedKind = kind;
  return h;
}

Handled restart(Module& m, std::span<const std::uint8_t> p, std::int64_t nowMs) {
  if (p.size() != 1) return result(RestartModule, kRefusedLength, "RestartModule of wrong length");
  if (p[0] != 1 && p[0] != 2) return result(RestartModule, kRefusedKind, "RestartModule of unknown kind");
  // New versions show once the new program runs.
  if (auto& boot = m.area(1); boot.newVersion) m.versions.boot = *std::exchange(boot.newVersion, std::nullopt);
  if (auto& system = m.area(2); system.newVersion)
    m.versions.firmware = *std::exchange(system.newVersion, std::nullopt);
  m.download = Download{};
  // A module without a usable system program stays in its boot loader.
  const std::uint8_t next = m.area(2).valid ? kRunModeSystem : kRunModeBootLoader;
  m.pending = PendingTransition{nowMs + m.timing.restartMs, false, next};
  return result(RestartModule, kResultOk);
}

}  // namespace

Handled handleBootCommand(Module& m, const Request& r, std::int64_t nowMs) {
  switch (r.code) {
    case ReadBootInfo: return readBootInfo(m, r.payload);
    case EnterBootLoader: return enterBootLoader(m, r.payload, nowMs);
    case EraseFirmware: return erase(m, r.payload);
    case WriteFirmwareBlock: return writeBlock(m, r.payload);
    case VerifyFirmware: return verify(m, r.payload);
    case RestartModule: return restart(m, r.payload, nowMs);
    default: {
      Handled h;
      h.note = "not a boot loader command";
      return h;
    }
  }
}

}  // namespace trax_sim
