// orvane: the TRAX module configuration editor.
#include <QApplication>
#include <QMessageBox>

#include "common/help_and_version.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/qt_prompt.h"
#include "orvane/shell/qt_text.h"
#include "platform/settings_location.h"

namespace {

const char* const kUsage =
    "用法: orvane [文档.opx]\n"
    "TRAX 以太网模块配置程序。启动后按程序目录中 Lumen_.ini 的 BroadcastAddress/BroadcastPort\n"
    "查找模块（默认广播到 255.255.255.255:58580）。\n"
    "  --help      显示此说明\n"
    "  --version   显示版本\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before the window opens: the first showing starts a scan, and
  // without a display there is no window to open.
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "orvane", kUsage)) return *answered;
  QApplication application(argc, argv);
  // The per-user profile (QSettings) of the editor.
  QApplication::setOrganizationName(QStringLiteral("Tarsel"));
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  orvane::COrvaneApp app;
  app.prepareProcess();
  // Without Wirelet the editor does not run.
  if (!app.loadWirelet()) {
    orvane::showMessageBox(nullptr, app.wireletNotFoundText(), app.version().productName,
                           orvane::MessageIcon::Error,
                           orvane::MessageButtons::Ok);
    return 1;
  }
  // A document named on the command line (the shell opening an .opx file).
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) app.openDocument(arguments.at(1));
  app.show();
  const auto& config = app.core().config();
  if (config.copyMadeNow()) {
    orvane::showMessageBox(&app.mainFrame(), platform::settingsCopyNotice(config.file()), "Orvane",
                           orvane::MessageIcon::Information, orvane::MessageButtons::Ok);
  }
  return application.exec();
}
