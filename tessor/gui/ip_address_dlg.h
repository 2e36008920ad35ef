#pragma once
// "IP地址": the PC's own network settings, the module scan ("刷新IP列表") with a
// row per answer, and the address chosen on OK.
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/network_adapters.h"
#include "platform/udp_socket.h"
#include "tessor/core/prompt.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tessor {

class CIpAddressDlg final : public QDialog {
  Q_OBJECT

 public:
  using Address = std::array<std::uint8_t, 4>;

  CIpAddressDlg(const Address& address, const std::vector<platform::NetworkAdapter>& adapters,
                const platform::Endpoint& scanDestination, Prompt& prompt, QWidget* parent = nullptr);

  Address address() const { return address_; }  // after OK
  void accept() override;

  void refresh();  // "刷新IP列表"
  // UWM_SCAN_REPLY: one row per answer.
  void addScanReply(const std::string& rowAddress);

 private:
  void setScanButtonsEnabled(bool enabled);

  Address address_;
  std::string localIp_;
  platform::Endpoint scanDestination_;
  Prompt& prompt_;
  QLineEdit* ip_ = nullptr;
  QTreeWidget* modules_ = nullptr;
  QPushButton* refresh_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace tessor
