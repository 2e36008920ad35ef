#include "tessor/core/window_controls.h"

namespace tessor {

ControlStates decideControls(const WindowState& state,
                             const std::array<bool, kFunctionButtonCount>& previous) {
  ControlStates out;
  const auto set = [&](WindowControl from, WindowControl to, bool on) {
    for (int c = static_cast<int>(from); c <= static_cast<int>(to); ++c)
      out.controls[static_cast<std::size_t>(c)] = on;
  };
  const bool exchangeOpen = state.connected && !state.polling;
  set(WindowControl::IpAddress, WindowControl::Polling, !state.connected);
  set(WindowControl::StartAddress, WindowControl::StatusRefresh, exchangeOpen);
  set(WindowControl::StartStop, WindowControl::StartStop, state.connected);
  set(WindowControl::Exit, WindowControl::Exit, !state.connected);
  set(WindowControl::Connect, WindowControl::Connect, !state.polling && !state.requestInFlight);

  if (!exchangeOpen || state.requestInFlight) return out;  // every function button off
  if (!state.registerType) {
    out.functionButtons = previous;
    return out;
  }
  for (int i = 0; i < kFunctionButtonCount; ++i)
    out.functionButtons[static_cast<std::size_t>(i)] =
        SupportsFunction(*state.registerType, static_cast<FunctionButton>(i));
  return out;
}

}  // namespace tessor
