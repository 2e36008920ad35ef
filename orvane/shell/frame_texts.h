#pragma once
// Texts of the main window's menus, toolbar, status prompts and panels,
// UTF-8, exactly as the user sees them.
#include <string_view>

namespace orvane::frame_texts {

// Menus.
inline constexpr std::string_view kMenuFile = "文件(&F)";
inline constexpr std::string_view kExport = "导出(&E)...";
inline constexpr std::string_view kTest = "测试(&T)";
inline constexpr std::string_view kExit = "退出(&X)";
inline constexpr std::string_view kMenuNetwork = "网络(&N)";
inline constexpr std::string_view kMenuProtocol = "协议";
inline constexpr std::string_view kRouteTcpIp = "TCP/IP";
inline constexpr std::string_view kRouteSerial = "串口";
inline constexpr std::string_view kFindModules = "查找模块";
inline constexpr std::string_view kMenuView = "视图(&V)";
inline constexpr std::string_view kToolBar = "工具栏(&T)";
inline constexpr std::string_view kStatusBar = "状态栏(&S)";
inline constexpr std::string_view kSettingsBar = "设定栏(B)";
inline constexpr std::string_view kMenuHelp = "帮助(&H)";
inline constexpr std::string_view kAbout = "关于 Orvane(&A)...";

// Toolbar button labels.
inline constexpr std::string_view kButtonExport = "导出";
inline constexpr std::string_view kButtonSerial = "串口";
inline constexpr std::string_view kButtonTcpIp = "TCP/IP";
inline constexpr std::string_view kButtonScan = "扫描网络";
inline constexpr std::string_view kButtonAbout = "关于";

// Status bar prompts: the prompt, "\n", the tooltip.
inline constexpr std::string_view kPromptSettingsBar = "显示或隐藏设定栏\n切换设定栏";
inline constexpr std::string_view kPromptExport = "导出数据到CSV文件。\n导出";
inline constexpr std::string_view kPromptFindModules = "在网络中查找模块。\n查找";
inline constexpr std::string_view kPromptTcpIp = "使用TCP/IP方式通信。\nTCP/IP";
inline constexpr std::string_view kPromptSerial = "使用串口方式通信。\n串口";
inline constexpr std::string_view kPromptTest = "测试当前模块\n测试";

// The docking bar's pages.
inline constexpr std::string_view kPageInfo = "模块信息";
inline constexpr std::string_view kPageConfig = "模块配置";
inline constexpr std::string_view kPageModuleHelp = "模块帮助";
inline constexpr std::string_view kPageSoftwareHelp = "软件帮助";

// The configuration panel (CDlgConfig).
inline constexpr std::string_view kGroupSettings = "设置";
inline constexpr std::string_view kBasicSettings = "基本设置...";
inline constexpr std::string_view kAdvancedSettings = "高级设置...";
inline constexpr std::string_view kPeerSettings = "点对点配置...";
inline constexpr std::string_view kGroupUpdate = "更新";
inline constexpr std::string_view kUpgradeFirmware = "更新固件...";
inline constexpr std::string_view kFactoryRestore = "恢复出厂值";

// The information panel's CPU row, which no route shows.
inline constexpr std::string_view kCpuLabel = "CPU版本";

// The status bar panes that cannot be built.
inline constexpr std::string_view kLogoPaneFailed = "内部错误！在状态栏创建Logo文字失败！";
inline constexpr std::string_view kButtonPaneFailed = "内部错误！在状态栏创建按钮失败！";
inline constexpr std::string_view kProgressPaneFailed = "内部错误！在状态栏创建进度条失败！";

// The progress dialog (CDlgProgress).
inline constexpr std::string_view kProgressCaption = "进度";
inline constexpr std::string_view kProgressStart = "当前进度：";

// The About box.
inline constexpr std::string_view kAboutCaption = "关于 ORVANE";

// The help pages in the program directory.
inline constexpr std::string_view kModuleHelpPage = "ModuleHelpcn.htm";
inline constexpr std::string_view kGeneralHelpPage = "GeneralHelpcn.htm";

}  // namespace orvane::frame_texts
