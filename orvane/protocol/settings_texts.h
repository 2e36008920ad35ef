#pragma once
// Texts of the settings commands and of closing the main window. UTF-8,
// exactly as the user sees them.
#include <string_view>

namespace orvane::texts {

inline constexpr std::string_view kReadBasicFailed = "读取基本设置出错！";
inline constexpr std::string_view kWriteBasicFailed = "设置基本设置出错！";
inline constexpr std::string_view kRereadBasicFailed = "再次读取基本设置出错！";
inline constexpr std::string_view kReadVersionFailed = "读取版本出错！";

inline constexpr std::string_view kReadAdvancedFailed = "读取高级设置出错！";
inline constexpr std::string_view kWriteAdvancedFailed = "设置高级设置出错！";

inline constexpr std::string_view kReadPeersFailed = "读取点对点设置出错！";
inline constexpr std::string_view kWritePeersFailed = "设置点对点设置出错！";

inline constexpr std::string_view kRestoreQuestion = "恢复出厂值将丢失当前设定值，恢复出厂值吗？";
inline constexpr std::string_view kRestoreFailed = "恢复出厂值操作失败！";

inline constexpr std::string_view kCloseWhileCommunicating =
    "正在通信中，退出软件吗？\r\n如果选择[确定]，请等待软件退出...";

}  // namespace orvane::texts
