// tessor: the Modbus TCP test tool. The editor's test command starts it from
// the ORVANETEST directory, beside the Config.ini it has just written.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

#include "platform/program_dir.h"
#include "tessor/gui/modbus_test_dlg.h"
#include "tessor/gui/tessor_version.h"

namespace {

const char* const kUsage =
    "用法: tessor\n"
    "Modbus TCP/IP 测试工具。设置读自程序目录中的 Config.ini（Modbus TCP 端口: [MODBUSTCPIP] Port，\n"
    "默认 502；模块扫描目标: ScanAddress/ScanPort，默认 255.255.255.255:28784）。\n"
    "  --help      显示此说明\n"
    "  --version   显示版本\n";

// Answered before anything else: no display, no settings file, no socket.
int answerHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("tessor %s\n", tessor::kTessorVersion);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  return -1;
}

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
  if (const int answered = answerHelpOrVersion(argc, argv); answered >= 0) return answered;
  QApplication application(argc, argv);
  tessor::CModbusTestDlg window({platform::programDirectory() / "Config.ini", profileFile()},
                                tessor::linkedQuorra(), platform::networkAdapters);
  window.exec();
  return 0;
}
