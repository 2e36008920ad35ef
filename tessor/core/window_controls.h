#pragma once
// Which controls of the main window are enabled, decided from the connection
// and polling state and the register type of the start address, so that the
// window only applies the result.
#include <array>
#include <optional>

#include "tessor/core/register_map.h"

namespace tessor {

enum class WindowControl {
  // connection group
  IpAddress, IpButton, Station, Retry, TimeOut, Polling,
  // data exchange and polling groups
  StartAddress, StartAddressButton, Length, DataType, Format, FunctionList, StatusRefresh,
  StartStop,
  Exit, Connect,
  Count
};

struct WindowState {
  bool connected = false;
  bool polling = false;
  // A request still holds the session (the worker finishing its last one after
  // Stop): nothing that starts a request may be pressed until it is done.
  bool requestInFlight = false;
  std::optional<int> registerType;  // of the start-address text
};

struct ControlStates {
  std::array<bool, static_cast<std::size_t>(WindowControl::Count)> controls{};
  std::array<bool, kFunctionButtonCount> functionButtons{};

  bool enabled(WindowControl c) const { return controls[static_cast<std::size_t>(c)]; }
  bool enabled(FunctionButton b) const { return functionButtons[static_cast<std::size_t>(b)]; }
};

// `previous` holds the function-code buttons as they are: a start address that
// names no register type leaves them unchanged while the data exchange is open.
ControlStates decideControls(const WindowState& state,
                             const std::array<bool, kFunctionButtonCount>& previous);

}  // namespace tessor
