// CDlgAddDevice offscreen: opening, the radios' enabling, the OK refusals
// with their focus, and the entry handed back.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "orvane/forms/form_texts.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "orvane/shell/dlg_add_device.h"
#include "orvane/widgets/ip_address_edit.h"

namespace orvane {

class DlgAddDeviceTest : public QObject {
  Q_OBJECT

 private slots:
  void opensAndSwitchesKind();
  void refusals_data();
  void refusals();
};

void DlgAddDeviceTest::opensAndSwitchesKind() {
  testing::ScriptedPrompt prompt;
  CDlgAddDevice dialog(PeerEntry{}, prompt);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  auto* device = dialog.findChild<QLineEdit*>("deviceNumber");
  auto* traxIp = dialog.findChild<IpAddressEdit*>("traxIp");
  auto* modbusIp = dialog.findChild<IpAddressEdit*>("modbusIp");
  auto* port = dialog.findChild<QLineEdit*>("port");
  auto* unit = dialog.findChild<QLineEdit*>("unitId");
  QVERIFY(device->hasFocus());
  QCOMPARE(device->selectedText(), QStringLiteral("1"));
  QVERIFY(dialog.findChild<QRadioButton*>("modbusTcp")->isChecked());
  QCOMPARE(traxIp->address(), (IpAddressEdit::Address{192, 168, 1, 1}));
  QCOMPARE(modbusIp->address(), (IpAddressEdit::Address{192, 168, 1, 1}));
  QCOMPARE(port->text() + "/" + unit->text(), QStringLiteral("502/255"));
  QVERIFY(!traxIp->isEnabled() && modbusIp->isEnabled() && port->isEnabled() && unit->isEnabled());

  dialog.findChild<QRadioButton*>("trax")->click();
  QVERIFY(traxIp->isEnabled() && !modbusIp->isEnabled() && !port->isEnabled() && !unit->isEnabled());
  traxIp->setAddress({10, 0, 0, 8});
  device->setText(QStringLiteral("0"));
  dialog.findChild<QPushButton*>("ok")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  PeerEntry expected;
  expected.device = 0;
  expected.kind = kPeerKindTrax;
  expected.ip = {10, 0, 0, 8};
  QVERIFY(dialog.entry() == expected);
}

void DlgAddDeviceTest::refusals_data() {
  QTest::addColumn<QString>("field");  // the edit to change, or an IP control
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("focused");
  const auto text = [](std::string_view t) { return QString::fromUtf8(t.data(), qsizetype(t.size())); };
  QTest::newRow("device 91") << "deviceNumber" << "91" << text(forms::texts::kDeviceNumber) << "deviceNumber";
  QTest::newRow("disabled TRAX address") << "traxIp" << "192.168.0.255" << text(forms::texts::kIpInvalid) << "";
  QTest::newRow("Modbus address") << "modbusIp" << "127.0.0.1" << text(forms::texts::kIpInvalid) << "modbusIp";
  QTest::newRow("port 0") << "port" << "0" << text(forms::texts::kPort) << "port";
  QTest::newRow("port 65536") << "port" << "65536" << text(forms::texts::kPort) << "port";
  QTest::newRow("unit 256") << "unitId" << "256" << text(forms::texts::kUnitId) << "unitId";
}

void DlgAddDeviceTest::refusals() {
  QFETCH(QString, field);
  QFETCH(QString, value);
  QFETCH(QString, message);
  QFETCH(QString, focused);
  testing::ScriptedPrompt prompt;
  CDlgAddDevice dialog(PeerEntry{}, prompt);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  if (auto* ip = dialog.findChild<IpAddressEdit*>(field))
    ip->setAddress(*IpAddressEdit::parse(value));
  else
    dialog.findChild<QLineEdit*>(field)->setText(value);
  dialog.findChild<QPushButton*>("ok")->click();
  QVERIFY(dialog.isVisible());
  QCOMPARE(prompt.boxes.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(prompt.boxes[0].text), message);
  if (auto* edit = dialog.findChild<QLineEdit*>(focused)) {
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), edit->text());
  } else if (auto* ip = dialog.findChild<IpAddressEdit*>(focused)) {
    QVERIFY(ip->field(0)->hasFocus());
  }
}

}  // namespace orvane

QTEST_MAIN(orvane::DlgAddDeviceTest)
#include "dlg_add_device_test.moc"
