// WriteRequest and InputCheck of ModbusSession.
#include <algorithm>

#include "tessor/core/modbus_session.h"
#include "tessor/core/number_text.h"
#include "tessor/core/register_map.h"

namespace tessor {

// Decides n and, when validating, packs the table into the buffer. Returns
// kRequestOk or kRequestNotMade.
int ModbusSession::prepareWrite(std::uint16_t area, bool single, bool validate) {
  const int limit = area == kAreaCoils ? kMaxBitLength : kMaxWordLength;
  int n = 1;
  if (single) {
    bool changed = false;
    {
      std::lock_guard lock(mutex_);
      changed = fields_.length != "1";
      fields_.length = "1";
    }
    if (changed) view_.setLengthText("1");
  } else {
    n = lengthOfText(fields().length, limit);
  }
  if (!validate) return kRequestOk;
  if (table_.CollectValues(work_.buffer, n, fields().format) == 0) return kRequestNotMade;
  // Coils go out as their own number, not as whole words: a word count would
  // make the server overwrite the coils beyond the user's length.
  work_.writeCount = static_cast<std::int16_t>(n);
  return kRequestOk;
}

int ModbusSession::WriteRequest(std::uint16_t area, bool single, bool validate) {
  const RequestTurn turn(*this);
  work_.lastWasRead = false;
  if (validate) {
    if (const int rejected = validateRequest(false)) return rejected;
  }
  if (area != kAreaHoldingRegisters && area != kAreaCoils) return kRequestWrongArea;
  if (const int notMade = prepareWrite(area, single, validate)) return notMade;
  std::uint16_t status = 0;
  const char* operation = nullptr;
  if (area == kAreaHoldingRegisters) {
    operation = single ? "写单一寄存器" : "写多个寄存器";
    status = quorra_.write(record_, area, work_.startAddress, work_.buffer.data(), work_.writeCount);
  } else if (single) {
    operation = "写线圈";
    status = quorra_.setBit(record_, area, work_.startAddress, work_.buffer[0] & 1);
  } else {
    operation = "强制多点线圈";
    status = quorra_.write(record_, area, work_.startAddress, work_.buffer.data(), work_.writeCount);
  }
  return finish(status, operation);
}

bool ModbusSession::InputCheck(bool forRead) {
  const RequestFields f = fields();
  const auto type = RecognizeRegisterType(f.startAddress);
  if (!type) {
    view_.selectStartAddress();
    warn(prompt_, "\n无法识别的寄存器");
    return false;
  }
  const RegisterType& t = kRegisterTypes[static_cast<std::size_t>(*type)];
  const std::string_view rest = std::string_view(f.startAddress).substr(std::string_view(t.name).size());
  const Conversion number = convertNumber(rest, 8);
  if (rest.empty() || !number.complete || number.value < t.minimum || number.value > t.maximum) {
    view_.selectStartAddress();
    warn(prompt_, registerNumberMessage(t));
    return false;
  }
  const SignedConversion length = convertSignedDecimal(f.length);
  if (!length.complete) {
    view_.selectLength();
    warn(prompt_, "\n无法识别的寄存器长度");
    return false;
  }
  const int max = MaxLength(*type);
  if (length.value < 0 || length.value > max) {
    view_.selectLength();
    warn(prompt_,
         "\n寄存器长度错误！\n1.寄存器号不可以为空\n2.寄存器长度为十进制数\n3.寄存器号必须在范围(0 - " +
             std::to_string(max) + ")内\n\n请重新输入！");
    return false;
  }
  return forRead || table_.ValidateTableValues(prompt_);
}

}  // namespace tessor
