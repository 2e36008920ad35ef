// CDlgGeneralSet offscreen: opening values on both routes, the OK refusals
// with their focus, the up-down limits, the radios, and an unchanged dialog
// writing what orvane-cli writes, on trax-sim's wire log.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <sstream>

#include "modal_answerer.h"
#include "orvane/cli/settings_session.h"
#include "orvane/forms/form_texts.h"
#include "orvane/protocol/tests/image_file.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "orvane/shell/dlg_general_set.h"
#include "orvane/shell/qt_settings_dialogs.h"
#include "orvane/widgets/ip_address_edit.h"
#include "orvane/widgets/up_down_edit.h"
#include "platform/gbk.h"
#include "test_support/trax_sim_wire_log.h"
#include "test_support/temp_dir.h"

namespace orvane {

class DlgGeneralSetTest : public QObject {
  Q_OBJECT

 private slots:
  void opening_data();
  void opening();
  void refusals_data();
  void refusals();
  void upDownLimits();
  void radiosShowAddresses();
  void escapeInTheDescriptionCancels();
  void unchangedDialogWritesWhatTheCliWrites();
};

ModuleRecord module() {
  ModuleRecord r;
  r.fixedId = 0;
  r.moduleId = 12;
  setTextField(r.name, platform::utf8ToGbk("一号线主站"));
  setTextField(r.description, platform::utf8ToGbk("第一行\r\n第二行"));
  r.addressMode = 1;
  r.ipAddress = {192, 168, 10, 11};
  r.subnetMask = {255, 255, 255, 0};
  r.gateway = {192, 168, 10, 1};
  r.currentIp = {192, 168, 10, 105};
  r.currentMask = {255, 255, 0, 0};
  r.currentGateway = {192, 168, 10, 254};
  return r;
}

struct Controls {
  explicit Controls(QDialog& d)
      : id(d.findChild<UpDownEdit*>("moduleId")),
        name(d.findChild<QLineEdit*>("name")),
        description(d.findChild<QPlainTextEdit*>("description")),
        automatic(d.findChild<QRadioButton*>("automatic")),
        manual(d.findChild<QRadioButton*>("manual")),
        ip(d.findChild<IpAddressEdit*>("ipAddress")),
        mask(d.findChild<IpAddressEdit*>("subnetMask")) {}
  UpDownEdit* id;
  QLineEdit* name;
  QPlainTextEdit* description;
  QRadioButton *automatic, *manual;
  IpAddressEdit *ip, *mask;
};

void DlgGeneralSetTest::opening_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<int>("fixedId");
  QTest::addColumn<int>("addressMode");
  QTest::addColumn<QString>("shown");  // id|enabled texts|radio|ip|addresses enabled|maximum
  QTest::newRow("network, manual") << 0 << 0 << 1 << "12+|1|manual|192.168.10.11|1|999999999";
  QTest::newRow("network, fixed ID, automatic") << 0 << 5 << 0 << "5-|1|auto|192.168.10.105|0|999999999";
  QTest::newRow("serial: addresses in use") << 1 << 5 << 0 << "12+|0|manual-|192.168.10.105|1|90";
}

void DlgGeneralSetTest::opening() {
  QFETCH(int, mode);
  QFETCH(int, fixedId);
  QFETCH(int, addressMode);
  QFETCH(QString, shown);
  auto record = module();
  record.fixedId = static_cast<std::uint8_t>(fixedId);
  record.addressMode = static_cast<std::uint8_t>(addressMode);
  testing::ScriptedPrompt prompt;
  CDlgGeneralSet dialog(record, mode, prompt);
  const Controls c(dialog);
  const auto address = c.ip->address();
  const QString radio = c.automatic->isChecked() ? "auto" : (c.manual->isChecked() ? "manual" : "none");
  const QString actual = c.id->text() + (c.id->isEnabled() ? "+" : "-") + "|" +
                         QString::number(c.name->isEnabled() && c.description->isEnabled()) + "|" +
                         radio + (c.manual->isEnabled() ? "" : "-") + "|" +
                         QStringLiteral("%1.%2.%3.%4").arg(address[0]).arg(address[1]).arg(address[2]).arg(address[3]) +
                         "|" + QString::number(c.ip->isEnabled()) + "|" + QString::number(c.id->maximum());
  QCOMPARE(actual, shown);
  QCOMPARE(c.name->text(), QStringLiteral("一号线主站"));
  QCOMPARE(c.description->toPlainText(), QStringLiteral("第一行\n第二行"));
}

void DlgGeneralSetTest::refusals_data() {
  QTest::addColumn<int>("mode");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("message");
  const auto text = [](std::string_view t) { return QString::fromUtf8(t.data(), qsizetype(t.size())); };
  QTest::newRow("name 65") << 0 << "name" << QString(65, 'n') << text(forms::texts::kNameTooLong);
  QTest::newRow("description 257") << 0 << "description" << QString(257, 'd') << text(forms::texts::kDescriptionTooLong);
  QTest::newRow("network ID") << 0 << "moduleId" << "1000000000" << text(forms::texts::kModuleIdNetwork);
  QTest::newRow("serial ID") << 1 << "moduleId" << "91" << text(forms::texts::kModuleIdSerial);
  QTest::newRow("broadcast IP") << 0 << "ipAddress" << "192.168.1.255" << text(forms::texts::kIpInvalid);
  QTest::newRow("multicast IP") << 1 << "ipAddress" << "224.0.0.1" << text(forms::texts::kIpInvalid);
}

void DlgGeneralSetTest::refusals() {
  QFETCH(int, mode);
  QFETCH(QString, control);
  QFETCH(QString, value);
  QFETCH(QString, message);
  testing::ScriptedPrompt prompt;
  CDlgGeneralSet dialog(module(), mode, prompt);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  const Controls c(dialog);
  QWidget* expectedFocus = c.ip->field(0);
  if (control == "name") c.name->setText(value), expectedFocus = c.name;
  if (control == "description") c.description->setPlainText(value), expectedFocus = c.description;
  if (control == "moduleId") c.id->setText(value), expectedFocus = c.id;
  if (control == "ipAddress") c.ip->setAddress(*IpAddressEdit::parse(value));
  dialog.findChild<QPushButton*>("ok")->click();
  QVERIFY(dialog.isVisible());
  QCOMPARE(prompt.boxes.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(prompt.boxes[0].text), message);
  QCOMPARE(prompt.boxes[0].icon, MessageIcon::Error);
  QVERIFY(expectedFocus->hasFocus());
  if (control == "name") QCOMPARE(c.name->selectedText(), value);
  if (control == "description") QCOMPARE(c.description->textCursor().selectedText(), value);
  if (control == "moduleId") QCOMPARE(c.id->lineEdit()->selectedText(), value);
  QVERIFY(dialog.record() == module());
}

void DlgGeneralSetTest::upDownLimits() {
  testing::ScriptedPrompt prompt;
  CDlgGeneralSet serial(module(), 1, prompt);
  serial.show();
  QVERIFY(QTest::qWaitForWindowActive(&serial));
  auto* id = Controls(serial).id;
  id->setFocus();
  id->setText(QStringLiteral("89"));
  QTest::keyClick(id, Qt::Key_Up);
  QTest::keyClick(id, Qt::Key_Up);
  QCOMPARE(id->text(), QStringLiteral("90"));
  id->setText(QStringLiteral("0"));
  QTest::keyClick(id, Qt::Key_Down);
  QCOMPARE(id->text(), QStringLiteral("0"));
  id->lineEdit()->clear();
  QTest::keyClicks(id, QStringLiteral("9x5"));  // digits only, beyond the range allowed
  QCOMPARE(id->text(), QStringLiteral("95"));
  QTest::keyClick(id, Qt::Key_Down);  // from the typed value brought into the range
  QCOMPARE(id->text(), QStringLiteral("89"));
}

void DlgGeneralSetTest::radiosShowAddresses() {
  testing::ScriptedPrompt prompt;
  CDlgGeneralSet dialog(module(), 0, prompt);
  const Controls c(dialog);
  c.automatic->click();
  QCOMPARE(c.ip->address(), (IpAddressEdit::Address{192, 168, 10, 105}));
  QCOMPARE(c.mask->address(), (IpAddressEdit::Address{255, 255, 0, 0}));
  QVERIFY(!c.ip->isEnabled() && !c.mask->isEnabled());
  c.manual->click();
  QCOMPARE(c.ip->address(), (IpAddressEdit::Address{192, 168, 10, 11}));
  QVERIFY(c.ip->isEnabled());
  c.automatic->click();
  dialog.findChild<QPushButton*>("ok")->click();
  auto expected = module();
  expected.addressMode = 0;
  expected.ipAddress = expected.currentIp;
  expected.subnetMask = expected.currentMask;
  expected.gateway = expected.currentGateway;
  QVERIFY(dialog.record() == expected);
}

void DlgGeneralSetTest::escapeInTheDescriptionCancels() {
  testing::ScriptedPrompt prompt;
  CDlgGeneralSet dialog(module(), 0, prompt);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  auto* description = Controls(dialog).description;
  description->setFocus();
  QTest::keyClicks(description, QStringLiteral("x"));
  QTest::keyClick(description, Qt::Key_Escape);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QVERIFY(dialog.record() == module());
}

// The basic settings write (code 0x02) trax-sim received since the last look.
std::string basicWrite(test_support::TraxSimWireLog& sim) {
  std::string write;
  for (const auto& line : sim.lines())
    if (line.rfind("rx AA ", 0) == 0 && line.substr(12, 2) == "02") write += line;
  return write;
}

void DlgGeneralSetTest::unchangedDialogWritesWhatTheCliWrites() {
  test_support::TraxSimWireLog sim(
      {"--module", R"({"mac":"00-11-22-33-44-55","name":"一号线主站","moduleId":1,)"
                   R"("description":"一号生产线\r\n主控通信模块","ipAddress":"192.168.10.11",)"
                   R"("subnetMask":"255.255.255.0","gateway":"192.168.10.1"})"});
  QVERIFY(sim.endpoint().port != 0);
  test_support::TempDir dir;
  const auto lumen = dir.path() / "Lumen_.ini";
  ConfigStore config(lumen);
  config.writeText("BroadcastAddress", "127.0.0.1");  // nothing leaves loopback
  // The compatibility check compares the module with this image.
  testing::writeFile(dir.path() / "fw.bin", testing::firmwareImage({5, 0, 1, 4}));
  config.writeText("FirmwareFileName", "fw.bin");
  cli::GlobalOptions options;
  options.target = sim.endpoint();
  options.config = lumen;
  std::ostringstream out, err;
  GuiThreadCalls calls;
  testing::ScriptedPrompt prompt;
  QtSettingsDialogs dialogs(calls, prompt);
  UdpTransport transport;
  cli::SettingsSession session(transport, config, options, prompt, dialogs, {out, err},
                               [](std::chrono::milliseconds) {});
  const auto row = session.findRow({0x00, 0x11, 0x22, 0x33, 0x44, 0x55});
  QVERIFY(row);
  basicWrite(sim);
  shell_tests::ModalAnswerer pressOk([](QWidget* dialog) {
    QVERIFY(qobject_cast<CDlgGeneralSet*>(dialog));
    dialog->findChild<QPushButton*>("ok")->click();
  });
  QCOMPARE(session.commands().basicSettings(*row), SettingsOutcome::Done);
  QVERIFY(pressOk.answered());
  const auto fromDialog = basicWrite(sim);
  QVERIFY(!fromDialog.empty());

  const std::vector<std::string> line{"--target", sim.endpoint().text(), "--config", lumen.string(),
                                      "basic", "00-11-22-33-44-55", "--name", "一号线主站", "--wait", "0"};
  QCOMPARE(cli::runCli(line, {out, err}), 0);
  QCOMPARE(QString::fromStdString(fromDialog), QString::fromStdString(basicWrite(sim)));
}

}  // namespace orvane

QTEST_MAIN(orvane::DlgGeneralSetTest)
#include "dlg_general_set_test.moc"
