#pragma once
// The About box "关于 ORVANE": the product name, the version (with " - Dn"
// when "DebugVersion" is 1 or more), the copyright line and the logo.
#include <QDialog>
#include <string>

#include "orvane/protocol/title_format.h"

class QLabel;

namespace orvane {

// What the title and the About box show of the program's version; the
// application object fills it from the version texts and Lumen_.ini.
struct FrameVersion {
  std::string productName = "ORVANE";
  std::string copyright;
  VersionNumbers numbers{};
  int debugVersion = 0;
};

class CAboutDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(const FrameVersion& version, QWidget* parent = nullptr);

  QString versionText() const;

 private:
  QLabel* version_;
};

}  // namespace orvane
