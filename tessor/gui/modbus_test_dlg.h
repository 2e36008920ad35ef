#pragma once
// Tessor's main window: the connection settings, the data exchange fields, the
// function-code buttons, continuous polling and the data table. It holds no
// decisions of its own: the session, the worker and the table do the work, and
// decideControls() says what is enabled.
#include <QDialog>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/network_adapters.h"
#include "tessor/core/data_table.h"
#include "tessor/core/modbus_session.h"
#include "tessor/core/polling_worker.h"
#include "tessor/core/tessor_settings.h"
#include "tessor/core/window_controls.h"
#include "tessor/gui/data_table_model.h"
#include "orvane/widgets/gui_thread_calls.h"
#include "tessor/gui/qt_prompt.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace orvane {
class IpAddressEdit;
}

namespace tessor {

struct TessorFiles {
  std::filesystem::path config;   // Config.ini beside the program
  std::filesystem::path profile;  // the program's profile: the window placement
};

class CModbusTestDlg final : public QDialog, public RequestView, public PollingView {
  Q_OBJECT

 public:
  using AdapterQuery = std::function<std::vector<platform::NetworkAdapter>()>;

  CModbusTestDlg(TessorFiles files, QuorraApi& quorra, AdapterQuery adapters,
                 QWidget* parent = nullptr);
  ~CModbusTestDlg() override;

  // RequestView
  void selectStartAddress() override;
  void selectLength() override;
  void setLengthText(const std::string& text) override;
  // PollingView
  void pollStatus() override;
  void stoppedPresentation() override;
  void workerEnded() override;

  // Exit: the exit button, Escape and the close box, in every state.
  void reject() override;

  void showAbout();
  void openIpAddressDialog();
  void openStartAddressDialog();

  // StatusRefreshTimer: the worker's last read into the table.
  void refreshTable();

  ModbusSession& session() { return session_; }
  PollingWorker& worker() { return worker_; }


 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildLayout();
  void buildConnectionGroup(class QGridLayout* grid);
  void buildExchangeGroups(class QGridLayout* grid);
  void connectSignals();
  void startUp();
  void restorePlacement();
  void savePlacement();

  void showSettings();
  void takeFields();
  ConnectionFields connectionFields() const;
  void saveSettings();

  void applyControls();
  void SetConnectionControls(bool connected);
  void RefreshFunctionButtons(bool rebuild);
  void relayoutForFields(bool autosize);

  void toggleConnection();
  void pressFunction(FunctionButton button);
  void togglePolling();
  void runningPresentation();
  void endPolling();

  TessorFiles files_;
  AdapterQuery adapters_;
  TessorSettings settings_;
  NetworkSettings network_;
  orvane::GuiThreadCalls calls_;
  QtPrompt prompt_;
  DataTable table_;
  ModbusSession session_;
  PollingWorker worker_;
  DataTableModel model_;
  QTimer statusRefreshTimer_;
  bool polling_ = false;  // the running presentation is shown
  bool placementRestored_ = false;

  orvane::IpAddressEdit* ip_ = nullptr;
  QPushButton* ipButton_ = nullptr;
  QSpinBox* station_ = nullptr;
  QSpinBox* retries_ = nullptr;
  QSpinBox* timeout_ = nullptr;
  QSpinBox* polling_time_ = nullptr;
  QLineEdit* startAddress_ = nullptr;
  QPushButton* startAddressButton_ = nullptr;
  QLineEdit* length_ = nullptr;
  QComboBox* dataType_ = nullptr;
  QComboBox* format_ = nullptr;
  QComboBox* functions_ = nullptr;
  QPushButton* startStop_ = nullptr;
  QSpinBox* statusRefresh_ = nullptr;
  std::array<QPushButton*, kFunctionButtonCount> functionButtons_{};
  QTableView* grid_ = nullptr;
  QLabel* statusLine_ = nullptr;
  QPushButton* exit_ = nullptr;
  QPushButton* connect_ = nullptr;
};

// "Modbus TCP/IP 测试工具 V<version>"
QString windowTitle();

}  // namespace tessor
