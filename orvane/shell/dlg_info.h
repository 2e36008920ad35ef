#pragma once
// The module information panel: the version group of the module last
// reported by UWM_SHOW_VERSIONS. Which rows show follows the route
// (infoRowShown); Enter and Esc do nothing here.
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "orvane/protocol/module_record.h"

class QLabel;

namespace orvane {

class CDlgInfo final : public QWidget {
  Q_OBJECT

 public:
  enum Row { kFirmware, kBoot, kSwitches, kPwb, kPld, kCpu, kInterface, kRowCount };

  explicit CDlgInfo(QWidget* parent = nullptr);

  void showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions);
  void showInterface(const std::string& interfaceName);
  void showRowsFor(int protocolType);

  QString value(Row row) const;
  bool rowShown(Row row) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::array<QLabel*, kRowCount> labels_{};
  std::array<QLabel*, kRowCount> values_{};
};

}  // namespace orvane
