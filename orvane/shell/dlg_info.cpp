#include "dlg_info.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "orvane/protocol/row_format.h"
#include "orvane/protocol/version_format.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {

CDlgInfo::CDlgInfo(QWidget* parent) : QWidget(parent) {
  constexpr std::array<std::string_view, kRowCount> kLabels{
      shell_texts::kFirmwareLabel, shell_texts::kBootLabel, shell_texts::kSwitchesLabel,
      shell_texts::kPwbLabel, shell_texts::kPldLabel};
  auto* group = new QGroupBox(qtText(shell_texts::kInfoGroup), this);
  auto* grid = new QGridLayout(group);
  for (int row = 0; row < kRowCount; ++row) {
    labels_[row] = new QLabel(qtText(kLabels[row]), group);
    values_[row] = new QLabel(group);
    values_[row]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(labels_[row], row, 0);
    grid->addWidget(values_[row], row, 1);
  }
  grid->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addStretch(1);
}

void CDlgInfo::showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions) {
  const auto texts = versionPanelTexts(runMode, versions);
  values_[kFirmware]->setText(qtText(texts.firmware));
  values_[kBoot]->setText(qtText(texts.boot));
  values_[kSwitches]->setText(qtText(texts.switches));
  values_[kPwb]->setText(qtText(texts.pwb));
  values_[kPld]->setText(qtText(texts.pld));
}

void CDlgInfo::showRowsFor(int protocolType) {
  const bool all = protocolType != kProtocolSerial;
  for (int row = kBoot; row < kRowCount; ++row) {
    labels_[row]->setVisible(all);
    values_[row]->setVisible(all);
  }
}

QString CDlgInfo::value(Row row) const { return values_[row]->text(); }

bool CDlgInfo::rowShown(Row row) const { return !values_[row]->isHidden(); }

}  // namespace orvane
