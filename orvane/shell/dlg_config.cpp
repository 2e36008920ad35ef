#include "dlg_config.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <string_view>

#include "frame_texts.h"
#include "orvane/protocol/command_enabling.h"
#include "orvane/protocol/panel_state.h"
#include "qt_text.h"

namespace orvane {
namespace {

struct ButtonSpec {
  std::string_view text;
  int command;
};
constexpr std::array<ButtonSpec, CDlgConfig::kButtonCount> kButtons{{
    {frame_texts::kBasicSettings, kCmdBasicSettings},
    {frame_texts::kAdvancedSettings, kCmdAdvancedSettings},
    {frame_texts::kPeerSettings, kCmdPeerSettings},
    {frame_texts::kUpgradeFirmware, kCmdFirmwareUpgrade},
    {frame_texts::kFactoryRestore, kCmdFactoryRestore},
}};

}  // namespace

CDlgConfig::CDlgConfig(QWidget* parent) : QWidget(parent) {
  auto* settings = new QGroupBox(qtText(frame_texts::kGroupSettings), this);
  auto* update = new QGroupBox(qtText(frame_texts::kGroupUpdate), this);
  auto* settingsColumn = new QVBoxLayout(settings);
  auto* updateColumn = new QVBoxLayout(update);
  for (int b = 0; b < kButtonCount; ++b) {
    const ButtonSpec& spec = kButtons[static_cast<std::size_t>(b)];
    QGroupBox* group = b < kUpgrade ? settings : update;
    buttons_[b] = new QPushButton(qtText(spec.text), group);
    (b < kUpgrade ? settingsColumn : updateColumn)->addWidget(buttons_[b]);
    connect(buttons_[b], &QPushButton::clicked, this, [this, id = spec.command] { emit command(id); });
  }
  settingsColumn->addStretch(1);
  updateColumn->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(settings);
  layout->addWidget(update);
  layout->addStretch(1);
}

void CDlgConfig::selectionState(int protocolType, std::uint8_t runMode) {
  const ConfigPanelEnabling enabling = configPanelEnabling(protocolType, runMode);
  buttons_[kBasic]->setEnabled(enabling.basic);
  buttons_[kAdvanced]->setEnabled(enabling.advanced);
  buttons_[kPeer]->setEnabled(enabling.peer);
  buttons_[kUpgrade]->setEnabled(enabling.upgrade);
  if (enabling.restore) buttons_[kRestore]->setEnabled(*enabling.restore);
}

}  // namespace orvane
