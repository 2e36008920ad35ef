#pragma once
// Texts the editor's windows show, UTF-8, exactly as the user sees them.
// The protocol core keeps its own (orvane/protocol/user_texts.h).
#include <string_view>

namespace orvane::shell_texts {

inline constexpr std::string_view kWindowTitle = "Orvane";
inline constexpr std::string_view kLogo = "ORVANE";

inline constexpr std::string_view kOk = "确定";
inline constexpr std::string_view kCancel = "取消";
inline constexpr std::string_view kOpenFile = "打开";
inline constexpr std::string_view kSaveFile = "保存";

// The port dialog (CDlgPort).
inline constexpr std::string_view kPortCaption = "配置通信端口";
inline constexpr std::string_view kPortLabel = "通信端口：";
inline constexpr std::string_view kPortButtonTcpIp = "TCP/IP";
inline constexpr std::string_view kPortButtonInitial = "COM1";

// The module information panel (CDlgInfo).
inline constexpr std::string_view kInfoPage = "模块信息";
inline constexpr std::string_view kInfoGroup = "版本";
inline constexpr std::string_view kFirmwareLabel = "固件版本";
inline constexpr std::string_view kBootLabel = "Booter版本";
inline constexpr std::string_view kSwitchesLabel = "开关";
inline constexpr std::string_view kPwbLabel = "PWB版本";
inline constexpr std::string_view kPldLabel = "PLD版本";

}  // namespace orvane::shell_texts
