#include "sim/plc_sim/plc_model.h"

#include <algorithm>

namespace plc_sim {
namespace {

bool covers(std::size_t address, std::size_t count, std::size_t target) {
  return target >= address && target - address < count;
}

std::size_t wordAreaOf(int position) {
  return kWordAreaBase + kWordAreaWords * static_cast<std::size_t>(position);
}

}  // namespace

std::uint16_t bcdWord(unsigned value) {
  return static_cast<std::uint16_t>(((value / 100 % 10) << 8) | ((value / 10 % 10) << 4) | (value % 10));
}

void PlcModel::place(PlcMemory& memory) const {
  const std::uint8_t letter[] = {family};
  memory.writeBytes(kFamilyAddress, letter);
  for (const auto& m : modules) {
    const std::uint8_t entry[] = {kEthernetModuleEntry};
    memory.writeBytes(kSlotTableAddress + static_cast<std::size_t>(m.position()), entry);
    if (m.position() < kPositionsWithWords) memory.writeWords(wordAreaOf(m.position()), m.words);
  }
}

const PlcModule* PlcModel::atPosition(int position) const {
  const auto it = std::find_if(modules.begin(), modules.end(),
                               [&](const PlcModule& m) { return m.position() == position; });
  return it == modules.end() ? nullptr : &*it;
}

const PlcModule* PlcModel::inSlot(std::uint32_t slot) const {
  const PlcModule* found = nullptr;
  for (const auto& m : modules)
    if (static_cast<std::uint32_t>(m.slot) == slot && (!found || m.group < found->group)) found = &m;
  return found;
}

void PlcModel::afterByteWrite(PlcMemory& memory, std::size_t address, std::size_t count) {
  if (!covers(address, count, kMailboxRequest)) return;
  const auto request = memory.readBytes(kMailboxRequest, 1);
  if (request) answerMailbox(memory, (*request)[0]);
}

// 0x80 asks for the PLC's text, 0x80 | (position + 3) for a module's; a
// request for an empty position, or any other value, clears the answer.
void PlcModel::answerMailbox(PlcMemory& memory, std::uint8_t request) const {
  std::string answer;
  if (request == 0x80) {
    answer = text;
  } else if (request > 0x82) {
    if (const auto* m = atPosition((request & 0x7F) - 3)) answer = m->text;
  }
  std::vector<std::uint8_t> bytes(kMailboxBytes, 0);
  std::copy_n(answer.begin(), std::min(answer.size(), kMailboxBytes), bytes.begin());
  memory.writeBytes(kMailboxAnswer, bytes);
}

void PlcModel::afterWordWrite(PlcMemory& memory, std::size_t address, std::size_t count) {
  for (int position = 0; position < kPositionsWithWords; ++position) {
    const std::size_t command = wordAreaOf(position) + kCommandWord;
    if (!covers(address, count, command)) continue;
    const auto word = memory.readWords(command, 1);
    if (word && (*word)[0] == kCommandTake) answerCommand(memory, position);
  }
}

void PlcModel::answerCommand(PlcMemory& memory, int position) const {
  const auto* m = atPosition(position);
  if (!m) return;  // no module there to take anything
  const std::size_t area = wordAreaOf(position);
  if (m->statusCode) {
    const std::uint16_t status[] = {static_cast<std::uint16_t>(*m->statusCode << 8)};
    memory.writeWords(area, status);
    return;
  }
  const std::uint16_t normal[] = {0};
  const std::uint16_t taken[] = {kCommandTaken};
  memory.writeWords(area, normal);
  memory.writeWords(area + kCommandWord, taken);
}

std::optional<std::vector<std::uint8_t>> PlcModel::areaRead(const PlcMemory&, std::uint8_t area,
                                                           std::uint32_t address, std::size_t count) {
  if (area != kMacArea) return std::nullopt;
  const auto* m = inSlot(address);
  if (!m) return std::nullopt;
  std::vector<std::uint8_t> data(count, 0);
  std::copy_n(m->mac.begin(), std::min(count, m->mac.size()), data.begin());
  return data;
}

bool PlcModel::refusesAreaRead(std::uint8_t area, std::uint32_t address) {
  if (area != kMacArea) return false;
  const auto* m = inSlot(address);
  return m && m->macReadRefused;
}

}  // namespace plc_sim
