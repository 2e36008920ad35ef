#pragma once
// What the main frame's panels show for a selection state (UWM_SELECTION_STATE):
// the rows of the module information panel and the buttons of the module
// configuration panel, decided without a window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The rows of the information panel, in the order the panel shows them; the
// interface row, after the version rows, names the network card the module
// answered on.
enum class InfoRow { Firmware, Boot, Switches, Pwb, Pld, Cpu, Interface };
inline constexpr int kInfoRowCount = 7;

inline constexpr std::string_view kInterfaceLabel = "网卡";

// Serial route: only the firmware row. Network route: every row but the CPU
// row, which is never shown.
bool infoRowShown(InfoRow row, int protocolType);

// The interface row's value: the interface's name, or "----" when the
// requests went to a single destination and no interface was noted.
std::string interfaceRowText(std::string_view interfaceName);

// The buttons of the configuration panel. A button without a value keeps the
// state it had: on the serial route "恢复出厂值" is left as it is.
struct ConfigPanelEnabling {
  bool basic = false;
  bool advanced = false;
  bool peer = false;
  bool upgrade = false;
  std::optional<bool> restore;
};

ConfigPanelEnabling configPanelEnabling(int protocolType, std::uint8_t runMode);

}  // namespace orvane
