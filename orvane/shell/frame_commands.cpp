#include "frame_commands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <string_view>

#include "frame_texts.h"
#include "orvane/widgets/svg_icon.h"
#include "orvane/widgets/tool_bar_ex.h"
#include "qt_text.h"

// The icons live in a static library: their resource is registered by hand.
static void registerIconResource() { Q_INIT_RESOURCE(orvane_icons); }

namespace orvane {

void loadFrameIcons() {
  static const bool loaded = (registerIconResource(), true);
  (void)loaded;
}

namespace {

using namespace frame_texts;

struct CommandSpec {
  int id;
  std::string_view text;
  std::string_view prompt;  // "prompt\ntooltip", or empty
  const char* icon;         // resource, or nullptr
  const char* shortcut;     // or nullptr
  bool checkable;
};

constexpr CommandSpec kCommands[] = {
    {kCmdExport, kExport, kPromptExport, ":/icons/export.svg", "Ctrl+E", false},
    {kCmdTest, kTest, kPromptTest, nullptr, "Ctrl+T", false},
    {kCmdExit, kExit, {}, nullptr, nullptr, false},
    {kCmdRouteTcpIp, kRouteTcpIp, kPromptTcpIp, ":/icons/tcpip.svg", nullptr, true},
    {kCmdRouteSerial, kRouteSerial, kPromptSerial, ":/icons/serial.svg", nullptr, true},
    {kCmdFindModules, kFindModules, kPromptFindModules, ":/icons/scan.svg", nullptr, false},
    {kCmdToolBar, kToolBar, {}, nullptr, nullptr, true},
    {kCmdStatusBar, kStatusBar, {}, nullptr, nullptr, true},
    {kCmdSettingsBar, kSettingsBar, kPromptSettingsBar, nullptr, nullptr, true},
    {kCmdAbout, kAbout, {}, ":/icons/about.svg", nullptr, false},
    {kCmdHelp, {}, {}, nullptr, "F1", false},
};

void setPrompt(QAction& action, std::string_view prompt) {
  const auto split = prompt.find('\n');
  if (split == std::string_view::npos) return;
  action.setStatusTip(qtText(prompt.substr(0, split)));
  action.setToolTip(qtText(prompt.substr(split + 1)));
}

}  // namespace

CommandActions createFrameActions(QMainWindow& frame) {
  loadFrameIcons();
  CommandActions actions;
  for (const CommandSpec& spec : kCommands) {
    auto* action = new QAction(qtText(spec.text), &frame);
    if (spec.icon) action->setIcon(svgIcon(QString::fromLatin1(spec.icon)));
    if (spec.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
    action->setCheckable(spec.checkable);
    setPrompt(*action, spec.prompt);
    // The accelerators work wherever the focus is in the window.
    frame.addAction(action);
    actions[spec.id] = action;
  }
  return actions;
}

void buildMenus(QMenuBar& menuBar, const CommandActions& actions) {
  QMenu* file = menuBar.addMenu(qtText(kMenuFile));
  file->addAction(actions.at(kCmdExport));
  file->addAction(actions.at(kCmdTest));
  file->addSeparator();
  file->addAction(actions.at(kCmdExit));

  QMenu* network = menuBar.addMenu(qtText(kMenuNetwork));
  QMenu* protocol = network->addMenu(qtText(kMenuProtocol));
  protocol->addAction(actions.at(kCmdRouteTcpIp));
  protocol->addAction(actions.at(kCmdRouteSerial));
  network->addAction(actions.at(kCmdFindModules));

  QMenu* view = menuBar.addMenu(qtText(kMenuView));
  view->addAction(actions.at(kCmdToolBar));
  view->addAction(actions.at(kCmdStatusBar));
  view->addAction(actions.at(kCmdSettingsBar));

  QMenu* help = menuBar.addMenu(qtText(kMenuHelp));
  help->addAction(actions.at(kCmdAbout));
}

void buildToolBar(CToolBarEx& toolBar, const CommandActions& actions) {
  const std::pair<int, std::string_view> buttons[] = {
      {kCmdExport, kButtonExport}, {0, {}},          {kCmdRouteSerial, kButtonSerial},
      {kCmdRouteTcpIp, kButtonTcpIp}, {0, {}},       {kCmdFindModules, kButtonScan},
      {0, {}},                     {kCmdAbout, kButtonAbout}};
  for (const auto& [id, text] : buttons) {
    if (id == 0) {
      toolBar.addSeparator();
      continue;
    }
    // The menu keeps its own text; the button shows the short label.
    QAction* action = actions.at(id);
    toolBar.addAction(action);
    toolBar.setButtonText(action, qtText(text));
  }
  toolBar.equaliseButtons();
}

}  // namespace orvane
