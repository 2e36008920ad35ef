#pragma once
// Texts of the serial route through the PLC, exactly as the user sees them
// (UTF-8). "%d" takes the COM port number or the status code.
#include <string_view>

namespace orvane::serial_texts {

// Start-up without the order library; "%s" takes the platform's file name.
inline constexpr std::string_view kWireletNotFound = "没有找到%s\nError Code: %d";

// readPlcModel.
inline constexpr std::string_view kModelOpenFailed = "读取PLC型号时出错！\n无法打开端口:COM%d";
inline constexpr std::string_view kModelCloseFailed = "\n读取PLC型号时出错！\n无法关闭端口:COM%d";
inline constexpr std::string_view kModelReadFailed1 = "读取PLC型号时出错！(1)\n请检查通信设备！";
inline constexpr std::string_view kModelReadFailed3 = "读取PLC型号时出错！(3)\n请检查通信设备！";
inline constexpr std::string_view kUnsupportedPlc = "本软件仅支持VT系列PLC！\n\t%s";

// readModuleList.
inline constexpr std::string_view kListOpenFailed = "读取模块列表时出错！\n无法打开端口:COM%d";
inline constexpr std::string_view kListCloseFailed = "\n读取模块列表时出错！\n无法关闭端口:COM%d";
inline constexpr std::string_view kListReadFailed = "读取模块列表时出错！\n请检查通信设备！";
inline constexpr std::string_view kMacReadFailed = "读取模块列表时出错！\n无法获得MAC地址";

// readModuleInfo.
inline constexpr std::string_view kInfoOpenFailed = "读取模块版本时出错！\n无法打开端口:COM%d";
inline constexpr std::string_view kInfoCloseFailed = "\n读取模块版本时出错！\n无法关闭端口:COM%d";
inline constexpr std::string_view kInfoReadFailed = "获取模块版本失败！";

// readModuleParameters and writeModuleParameters.
inline constexpr std::string_view kNoWordArea = "获得模块列表信息错误!";
inline constexpr std::string_view kParamsReadOpenFailed = "从PLC读模块参数时出错！\n无法打开端口:COM%d";
inline constexpr std::string_view kParamsReadFailed = "从PLC读模块参数时出错！";
inline constexpr std::string_view kIpOutOfRange =
    "IP地址超出范围(0～255)!\n请检查PLC；软件显示参数将自动切换到默认参数。";
inline constexpr std::string_view kMaskOutOfRange =
    "子网掩码超出范围(0～255)!\n请检查PLC；软件显示参数将自动切换到默认参数。";
inline constexpr std::string_view kGatewayOutOfRange =
    "网关地址超出范围(0～255)!\n请检查PLC；软件显示参数将自动切换到默认参数。";
inline constexpr std::string_view kStationOutOfRange =
    "局号超出范围(0～255)!\n请检查PLC；软件显示参数将自动切换到默认参数。";
inline constexpr std::string_view kStationInputOutOfRange = "局号超出范围(0～255)!\n请重新输入局号。";
inline constexpr std::string_view kParamsWriteOpenFailed = "写模块参数到PLC时出错！\n无法打开端口:COM%d";
// Used for the close of both the read and the write.
inline constexpr std::string_view kParamsCloseFailed = "\n写模块参数到PLC时出错！\n无法关闭端口:COM%d";
inline constexpr std::string_view kParamsWriteFailed = "写模块参数到PLC时出错！";
inline constexpr std::string_view kParamsNotRecognised = "PLC无法识别写入的参数！";
inline constexpr std::string_view kWrittenNoStatus = "写模块参数到PLC成功！\n但无法获得模块状态。";
inline constexpr std::string_view kWrittenBut = "写模块参数到PLC成功！\n但";

// A status code after a write above those the list knows (0 to 5).
inline constexpr std::string_view kStatusUnknown = "状态无法识别%d";

// The flows.
inline constexpr std::string_view kRestoreQuestion = "恢复出厂值将丢失当前设定值，恢复出厂值吗？";
inline constexpr std::string_view kRestoreFailed = "恢复出厂值失败！";

}  // namespace orvane::serial_texts
