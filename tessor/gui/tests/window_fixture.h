#pragma once
// A main window started from a Config.ini of the test's own, with its profile
// in the same temporary directory.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <memory>

#include "tessor/gui/modbus_test_dlg.h"
#include "test_support/temp_dir.h"

namespace tessor::gui_tests {

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every key of the window, pointed at 127.0.0.1:port.
inline std::string completeConfig(std::uint16_t port, const std::string& extra = {}) {
  return "[MODBUSTCPIP]\r\nIP Address0=127\r\nIP Address1=0\r\nIP Address2=0\r\nIP Address3=1\r\n"
         "Station=1\r\nRetry=0\r\nTimeOut=20\r\nPoill=0\r\nPort=" +
         std::to_string(port) + "\r\nScanAddress=127.0.0.1\r\n" + extra +
         "[DATAEXCHANGE]\r\nStart Address=R2000\r\nAddress Size=10\r\nData Type=0\r\n"
         "Display Type=2\r\n[MONITOR]\r\nFunction NO=0\r\nTime Interval=20\r\n"
         "State Display Time=1\r\nIgnore Error=0\r\n";
}

class WindowFixture {
 public:
  explicit WindowFixture(const std::string& config,
                         CModbusTestDlg::AdapterQuery adapters = [] {
                           return std::vector<platform::NetworkAdapter>{};
                         }) {
    writeFile(configPath(), config);
    window = std::make_unique<CModbusTestDlg>(TessorFiles{configPath(), profilePath()},
                                              linkedQuorra(), std::move(adapters));
  }
  std::filesystem::path configPath() const { return dir.path() / "Config.ini"; }
  std::filesystem::path profilePath() const { return dir.path() / "Tessor.ini"; }

  template <typename W>
  W* find(const char* name) const {
    return window->findChild<W*>(QLatin1String(name));
  }
  QPushButton* button(const char* name) const { return find<QPushButton>(name); }
  QString status() const { return find<QLabel>("statusLine")->text(); }

  test_support::TempDir dir;
  std::unique_ptr<CModbusTestDlg> window;
};

}  // namespace tessor::gui_tests
