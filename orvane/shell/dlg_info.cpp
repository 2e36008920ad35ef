#include "dlg_info.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "frame_texts.h"
#include "orvane/protocol/panel_state.h"
#include "orvane/protocol/version_format.h"
#include "qt_text.h"
#include "shell_texts.h"

namespace orvane {

CDlgInfo::CDlgInfo(QWidget* parent) : QWidget(parent) {
  static_assert(kRowCount == kInfoRowCount, "the panel shows the rows of InfoRow, in its order");
  constexpr std::array<std::string_view, kRowCount> kLabels{
      shell_texts::kFirmwareLabel, shell_texts::kBootLabel, shell_texts::kSwitchesLabel,
      shell_texts::kPwbLabel, shell_texts::kPldLabel, frame_texts::kCpuLabel,
      kInterfaceLabel};
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
  showRowsFor(0);
}

void CDlgInfo::showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions) {
  const auto texts = versionPanelTexts(runMode, versions);
  values_[kFirmware]->setText(qtText(texts.firmware));
  values_[kBoot]->setText(qtText(texts.boot));
  values_[kSwitches]->setText(qtText(texts.switches));
  values_[kPwb]->setText(qtText(texts.pwb));
  values_[kPld]->setText(qtText(texts.pld));
}

void CDlgInfo::showInterface(const std::string& interfaceName) {
  values_[kInterface]->setText(qtText(interfaceRowText(interfaceName)));
}

void CDlgInfo::showRowsFor(int protocolType) {
  for (int row = 0; row < kRowCount; ++row) {
    const bool shown = infoRowShown(static_cast<InfoRow>(row), protocolType);
    labels_[row]->setVisible(shown);
    values_[row]->setVisible(shown);
  }
}

// The panel is a page of the docking bar, not a dialog: Enter and Esc must
// not travel on to a window they would close.
void CDlgInfo::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

QString CDlgInfo::value(Row row) const { return values_[row]->text(); }

bool CDlgInfo::rowShown(Row row) const { return !values_[row]->isHidden(); }

}  // namespace orvane
