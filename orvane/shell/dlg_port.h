#pragma once
// The serial port dialog "配置通信端口": a sorted drop-down list of the
// COMn ports that exist, opened on the current port number.
#include <QDialog>
#include <vector>

class QComboBox;

namespace orvane {

class CDlgPort final : public QDialog {
  Q_OBJECT

 public:
  CDlgPort(int current, const std::vector<int>& ports, QWidget* parent = nullptr);

  // After OK: the chosen port, or the one the dialog opened with when the
  // list was empty.
  int portNumber() const { return port_; }

  QComboBox& portList() { return *list_; }

 public slots:
  void accept() override;

 private:
  QComboBox* list_;
  int port_;
};

}  // namespace orvane
