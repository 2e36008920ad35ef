#include "tessor/core/function_requests.h"

namespace tessor {

int runFunctionCode(ModbusSession& session, int code, bool validate) {
  switch (code) {
    case 1: return session.ReadRequest(kAreaCoils, validate);
    case 2: return session.ReadRequest(kAreaDiscreteInputs, validate);
    case 3: return session.ReadRequest(kAreaHoldingRegisters, validate);
    case 4: return session.ReadRequest(kAreaInputRegisters, validate);
    case 5: return session.WriteRequest(kAreaCoils, true, validate);
    case 6: return session.WriteRequest(kAreaHoldingRegisters, true, validate);
    case 15: return session.WriteRequest(kAreaCoils, false, validate);
    case 16: return session.WriteRequest(kAreaHoldingRegisters, false, validate);
    default: return kRequestNotMade;
  }
}

int pressFunctionButton(ModbusSession& session, DataTable& table, Prompt& prompt,
                        FunctionButton button) {
  const int code = functionCode(button);
  const bool read = code <= 4;
  const int result = runFunctionCode(session, code, true);
  if (result == kRequestFailed) {
    warn(prompt, session.snapshot().statusText);
  } else if (result == kRequestOk && read) {
    const SharedState state = session.snapshot();
    table.ShowValues(state.buffer, state.lastCount, session.fields().format, true);
  } else if (result == kRequestOk) {
    prompt.ask({"成功", "成功", PromptIcon::Information, PromptButtons::Ok});
  }
  return result;
}

std::vector<std::string> supportedFunctionNames(int registerType) {
  std::vector<std::string> names;
  for (int i = 0; i < kFunctionButtonCount; ++i) {
    const auto button = static_cast<FunctionButton>(i);
    if (SupportsFunction(registerType, button)) names.emplace_back(functionName(button));
  }
  return names;
}

}  // namespace tessor
