#pragma once
// The main window's menus, toolbar and accelerators, made from tables: each
// command is one QAction known by its command id, with its status bar
// prompt and tooltip. The frame connects the actions to its handlers.
#include <QString>

#include "command_actions.h"

class QMainWindow;
class QMenuBar;

namespace orvane {

class CToolBarEx;

// Commands of the framework that have no rule of their own.
inline constexpr int kCmdAbout = 57664;
inline constexpr int kCmdExit = 57665;
inline constexpr int kCmdHelp = 57670;

// Makes the SVG icons compiled into the program readable; any number of calls.
void loadFrameIcons();

// Creates every command's action, owned by `frame`.
CommandActions createFrameActions(QMainWindow& frame);
// "文件(&F)", "网络(&N)", "视图(&V)", "帮助(&H)".
void buildMenus(QMenuBar& menuBar, const CommandActions& actions);
// 导出 | 串口 TCP/IP | 扫描网络 | 关于, with text labels.
void buildToolBar(CToolBarEx& toolBar, const CommandActions& actions);

}  // namespace orvane
