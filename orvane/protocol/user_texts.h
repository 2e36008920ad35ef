#pragma once
// Texts the module protocol core shows: status bar texts and the boxes of the
// state checks. UTF-8, exactly as the user sees them.
#include <string_view>

namespace orvane::texts {

inline constexpr std::string_view kReady = "就绪";
inline constexpr std::string_view kCommunicating = "通信中...";

inline constexpr std::string_view kSocketStartFailed = "内部错误！启动Windows Sockets失败！";
inline constexpr std::string_view kSocketInitFailed = "以太网通信失败！初始化失败！";
inline constexpr std::string_view kBroadcastFailed = "以太网通信失败！设置广播方式失败！";
inline constexpr std::string_view kTimeoutFailed = "以太网通信失败！设置溢出时间失败！";
inline constexpr std::string_view kSendFailed = "以太网通信失败！无法发送数据！";
inline constexpr std::string_view kReceiveFailed = "以太网通信失败！接受数据失败！";

inline constexpr std::string_view kCaptionError = "错误";
inline constexpr std::string_view kCaptionWarning = "警告";
inline constexpr std::string_view kCaptionSuccess = "成功";

// checkCompatibility 1 and -1.
inline constexpr std::string_view kModuleTooOld =
    "本软件不支持该模块！\n模块软件版本太低，请升级模块！";
inline constexpr std::string_view kToolTooOld =
    "本软件不支持该模块！\n工具软件版本，请使用新版本工具软件！";
inline constexpr std::string_view kManualReset =
    "模块处于手动复位状态，无法设置参数！\n如果需要设置模块参数，请将复位开关拨回非复位状态。";

}  // namespace orvane::texts
