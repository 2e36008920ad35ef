#pragma once
// The messages of the settings dialogs. UTF-8, exactly as the user sees them.
#include <string_view>

namespace orvane::forms::texts {

inline constexpr std::string_view kNameTooLong = "模块名称长度超出范围(0～64)!\n请重新输入。";
inline constexpr std::string_view kDescriptionTooLong =
    "模块描述字符长度超出范围(0～256)!\n请重新输入。";
inline constexpr std::string_view kModuleIdNetwork = "模块ID号超出范围(0～999999999)!\n请重新输入。";
inline constexpr std::string_view kModuleIdSerial = "模块ID号超出范围(0～90)!\n请重新输入。";
inline constexpr std::string_view kIpInvalid =
    "IP地址无效！\nIP地址不能是：\n\t0.0.0.0\n\t127.0.0.0\n\t127.0.0.1\n"
    "\t224.x.x.x - 255.255.255.255\n\tx.x.x.255\n\n请重新输入。";

inline constexpr std::string_view kMasterTimeout = "主机时间超出范围(1～4294967295)!\n请重新输入。";
inline constexpr std::string_view kSlaveTimeout = "从机时间超出范围(1～4294967295)!\n请重新输入。";

inline constexpr std::string_view kDeviceNumber = "RX/WX设备号超出范围(0～90)!\n请重新输入。";
inline constexpr std::string_view kPort = "端口号超出范围(1～65535)!\n请重新输入。";
inline constexpr std::string_view kUnitId = "单元ID号超出范围(0～255)!\n请重新输入。";

// The peer dialog.
inline constexpr std::string_view kPeerCaption = "点对点配置";
inline constexpr std::string_view kAddDeviceCaption = "添加设备";
inline constexpr std::string_view kTooManyPeers = "超出范围！\n点对点配置最大只能配置30条。";
inline constexpr std::string_view kPeerRowInvalid = "点对点设置参数无效，使用默认值打开对话框！";
inline constexpr std::string_view kDeleteRow = "删除该行参数吗？";
inline constexpr std::string_view kDeleteAllRows = "删除所有的点对点参数吗？";

}  // namespace orvane::forms::texts
