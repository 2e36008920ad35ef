#pragma once
// Texts of the firmware upgrade, exactly as the user sees them.
#include <string_view>

namespace orvane::texts {

inline constexpr std::string_view kCaptionUpgrade = "升级固件";

inline constexpr std::string_view kInvalidMac = "该模块MAC地址无效，无法升级固件。";
inline constexpr std::string_view kAskUpgrade = "升级固件吗？";
inline constexpr std::string_view kFirmwareFilter = "Firmware Flies(*.bin)|*.bin||";

// Follows the firmware path.
inline constexpr std::string_view kNotAFirmwareFile = "\n不是有效的固件文件，请重新选择。";

inline constexpr std::string_view kEnterBootLoaderFailed = "设置Boot Loader模式失败！";
inline constexpr std::string_view kNoBootVersion = "无法获得Boot Load 版本，请检查模块。";
inline constexpr std::string_view kNoSystemVersion = "无法获得系统版本，请检查模块。";
inline constexpr std::string_view kEraseFailed = "擦除固件失败！";
inline constexpr std::string_view kReadFileFailed = "读取固件文件失败！";
inline constexpr std::string_view kDownloadFailed = "下载固件失败！";
inline constexpr std::string_view kVerifyFailed = "固件校验失败！";
inline constexpr std::string_view kRestartFailed = "模块重启失败！";
inline constexpr std::string_view kUpgradeSucceeded = "模块固件升级成功！";

}  // namespace orvane::texts
