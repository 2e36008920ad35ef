#pragma once
// The PLC as the editor's serial route sees it, on top of the plain memory:
// the family letter, the slot table, the information mailbox, the MAC table
// of the slots and the parameter word areas of the Ethernet modules with
// their command-word handshake.
//
//   byte 15                family letter ("Z" or "z" for a supported PLC)
//   bytes 358 + position   0x12 for each module (position = 8 x group + slot)
//   byte 1088              mailbox request: 0x80 puts the PLC's text,
//                          0x80 | (position + 3) a module's text into
//   bytes 1089 to 1113     the answer, 25 bytes, zero-padded
//   area 0xBE, address s   the MAC address (6 bytes, then 0) of the module in
//                          slot s; with modules in one slot of several
//                          groups, the lowest group's answers
//   words 16064 + 16 x p   the 16 parameter words of positions p = 0, 1, 2
//
// Writing 0x0050 into word 14 of an area is the command to take the
// parameters: the module either takes them (word 14 then reads 0x00A0 and
// word 0 reads 0) or leaves a status code in the high byte of word 0 and the
// command word as it was.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/plc_sim/plc_memory.h"

namespace plc_sim {

inline constexpr std::uint8_t kMacArea = 0xBE;
inline constexpr std::size_t kFamilyAddress = 15;
inline constexpr std::size_t kSlotTableAddress = 358;
inline constexpr std::uint8_t kEthernetModuleEntry = 0x12;
inline constexpr std::size_t kMailboxRequest = 1088;
inline constexpr std::size_t kMailboxAnswer = 1089;
inline constexpr std::size_t kMailboxBytes = 25;
inline constexpr std::size_t kWordAreaBase = 16064;
inline constexpr std::size_t kWordAreaWords = 16;
inline constexpr int kPositionsWithWords = 3;
inline constexpr std::size_t kCommandWord = 14;
inline constexpr std::uint16_t kCommandTake = 0x0050;
inline constexpr std::uint16_t kCommandTaken = 0x00A0;

struct PlcModule {
  int group = 0;  // 0 to 3
  int slot = 0;   // 0 to 7
  std::array<std::uint8_t, 6> mac{};
  std::string text;  // information text, single-byte characters
  // The parameter words (positions 0 to 2 only).
  std::array<std::uint16_t, kWordAreaWords> words{};
  // How the command word is answered: nothing takes the parameters,
  // a code is left as status code.
  std::optional<std::uint8_t> statusCode;
  bool macReadRefused = false;  // the MAC table read is refused (0xFC reply)

  int position() const { return 8 * group + slot; }
};

class PlcModel final : public PlcHooks {
 public:
  std::uint8_t family = 0;  // byte 15
  std::string text;         // the PLC's information text
  std::vector<PlcModule> modules;

  // Puts the family letter, the slot table and the word areas into memory.
  void place(PlcMemory& memory) const;

  void afterByteWrite(PlcMemory& memory, std::size_t address, std::size_t count) override;
  void afterWordWrite(PlcMemory& memory, std::size_t address, std::size_t count) override;
  std::optional<std::vector<std::uint8_t>> areaRead(const PlcMemory& memory, std::uint8_t area,
                                                   std::uint32_t address, std::size_t count) override;
  bool refusesAreaRead(std::uint8_t area, std::uint32_t address) override;

 private:
  const PlcModule* atPosition(int position) const;
  const PlcModule* inSlot(std::uint32_t slot) const;
  void answerMailbox(PlcMemory& memory, std::uint8_t request) const;
  void answerCommand(PlcMemory& memory, int position) const;
};

// The BCD word of a value up to 999: 192 is 0x0192.
std::uint16_t bcdWord(unsigned value);

}  // namespace plc_sim
