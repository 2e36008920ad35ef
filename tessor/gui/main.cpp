// tessor: the Modbus TCP test tool. The editor's test command starts it from
// the ORVANETEST directory, beside the Config.ini it has just written.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "common/help_and_version.h"
#include "platform/program_dir.h"
#include "platform/settings_location.h"
#include "tessor/gui/modbus_test_dlg.h"
#include "tessor/gui/qt_prompt.h"

namespace {

const char* const kUsage =
    "用法: tessor\n"
    "Modbus TCP/IP 测试工具。设置读自程序目录中的 Config.ini（Modbus TCP 端口: [MODBUSTCPIP] Port，\n"
    "默认 502；模块扫描目标: ScanAddress/ScanPort，默认 255.255.255.255:28784）。\n"
    "  --help      显示此说明\n"
    "  --version   显示版本\n";

// The program's profile, which keeps the window placement: a private profile
// file in the user's configuration directory.
std::filesystem::path profileFile() {
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QStringLiteral("/Tarsel");
  QDir().mkpath(dir);
  return std::filesystem::path((dir + QStringLiteral("/Tessor.ini")).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before anything else: no display, no settings file, no socket.
  if (const auto answered = trax::answerHelpOrVersion(argc, argv, "tessor", kUsage)) return *answered;
  QApplication application(argc, argv);
  // Installed read-only, Config.ini is the user's copy, shared with the editor's hand-off.
  const auto settings = platform::settingsFile(platform::programDirectory() / "Config.ini");
  if (settings.copyMadeNow) {
    tessor::showMessageBox(nullptr, {"Tessor", platform::settingsCopyNotice(settings.path),
                                     tessor::PromptIcon::Information});
  }
  tessor::CModbusTestDlg window({settings.path, profileFile()},
                                tessor::linkedQuorra(), platform::networkAdapters);
  window.exec();
  return 0;
}
