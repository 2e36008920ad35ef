// CDlgP2PConfig offscreen: the rows it opens with, add/edit/delete on the
// rows with a scripted entry dialog, the 30-entry limit, and what OK hands
// back.
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "orvane/forms/form_texts.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "orvane/shell/dlg_p2p_config.h"

namespace orvane {

class DlgP2PConfigTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsAddEditDelete();
  void thirtyEntriesAtMost();
  void deleteAllWritesNothing();
};

PeerEntry modbus(std::uint8_t device, Ipv4Bytes ip, std::uint16_t port, std::uint8_t unit) {
  PeerEntry e;
  e.device = device;
  e.ip = ip;
  e.port = port;
  e.unit = unit;
  e.reserved = {1, 2, 3};
  return e;
}

PeerEntry trax(std::uint8_t device, Ipv4Bytes ip) {
  PeerEntry e;
  e.device = device;
  e.kind = kPeerKindTrax;
  e.ip = ip;
  e.port = 600;
  e.unit = 9;
  return e;
}

QStringList rowTexts(QTableWidget* list, int row) {
  return {list->item(row, 0)->text(), list->item(row, 1)->text(), list->item(row, 2)->text()};
}

void click(QDialog& dialog, const char* name) { dialog.findChild<QPushButton*>(name)->click(); }

void DlgP2PConfigTest::rowsAddEditDelete() {
  testing::ScriptedPrompt prompt;
  const std::vector opened{modbus(3, {10, 0, 0, 7}, 502, 1), trax(4, {10, 0, 0, 8})};
  CDlgP2PConfig dialog(opened, prompt);
  std::vector<PeerEntry> shownToEntryDialog;
  std::optional<PeerEntry> typed;  // what the user "types" into 添加设备; nothing cancels
  dialog.setEntryDialog([&](PeerEntry& entry) {
    shownToEntryDialog.push_back(entry);
    if (!typed) return false;
    entry = *typed;
    return true;
  });
  auto* list = dialog.findChild<QTableWidget*>("peerList");
  QCOMPARE(list->horizontalHeaderItem(0)->text(), QStringLiteral("RX/WX设备号"));
  QCOMPARE(list->columnWidth(2), 195);
  QCOMPARE(rowTexts(list, 0), (QStringList{"3", "Modbus/TCP", "IP = 10.0.0.7, Port = 502, Unit ID = 1"}));
  QCOMPARE(rowTexts(list, 1), (QStringList{"4", "TRAX", "IP = 10.0.0.8"}));

  click(dialog, "edit");  // nothing selected: nothing happens
  QVERIFY(shownToEntryDialog.empty());
  list->selectRow(1);
  click(dialog, "edit");  // cancelled; the TRAX row opens with the default port and unit
  QCOMPARE(shownToEntryDialog.size(), std::size_t{1});
  PeerEntry expectedEdit;
  expectedEdit.device = 4;
  expectedEdit.kind = kPeerKindTrax;
  expectedEdit.ip = {10, 0, 0, 8};
  QVERIFY(shownToEntryDialog[0] == expectedEdit);

  typed = trax(5, {10, 0, 0, 9});
  click(dialog, "edit");
  QCOMPARE(rowTexts(list, 1), (QStringList{"5", "TRAX", "IP = 10.0.0.9"}));
  list->item(1, 2)->setText(QString());  // a row that does not parse
  click(dialog, "edit");
  QCOMPARE(prompt.boxes.back().text, std::string(forms::texts::kPeerRowInvalid));
  PeerEntry fallback;  // the default entry with the row's device number
  fallback.device = 5;
  QVERIFY(shownToEntryDialog.back() == fallback);

  typed = modbus(6, {10, 0, 0, 6}, 503, 2);
  click(dialog, "add");
  QVERIFY(shownToEntryDialog.back() == PeerEntry{});
  QCOMPARE(list->rowCount(), 3);

  list->selectRow(0);
  prompt.answers = {MessageAnswer::Cancel};
  click(dialog, "delete");
  QCOMPARE(list->rowCount(), 3);
  QCOMPARE(prompt.boxes.back().text, std::string(forms::texts::kDeleteRow));
  QCOMPARE(prompt.boxes.back().buttons, MessageButtons::OkCancel);
  click(dialog, "delete");
  QCOMPARE(list->rowCount(), 2);

  click(dialog, "ok");
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  // Row i lands on entry i the dialog opened with: the reserved bytes of
  // entry 0 stay; the second entry started as a default one.
  auto first = trax(5, {10, 0, 0, 9});
  first.port = 502;
  first.unit = 1;
  first.reserved = {1, 2, 3};
  QCOMPARE(dialog.entries().size(), std::size_t{2});
  QVERIFY(dialog.entries()[0] == first);
  auto second = modbus(6, {10, 0, 0, 6}, 503, 2);
  second.reserved = {};
  QVERIFY(dialog.entries()[1] == second);
}

void DlgP2PConfigTest::thirtyEntriesAtMost() {
  testing::ScriptedPrompt prompt;
  CDlgP2PConfig dialog(std::vector<PeerEntry>(29), prompt);
  int opened = 0;
  dialog.setEntryDialog([&](PeerEntry&) { return ++opened, true; });
  auto* list = dialog.findChild<QTableWidget*>("peerList");
  click(dialog, "add");
  QCOMPARE(list->rowCount(), 30);
  click(dialog, "add");
  QCOMPARE(opened, 1);
  QCOMPARE(prompt.boxes.back().text, std::string(forms::texts::kTooManyPeers));
  QCOMPARE(prompt.boxes.back().caption, std::string("警告"));
  list->selectRow(3);
  click(dialog, "delete");
  click(dialog, "add");
  QCOMPARE(opened, 2);
  QCOMPARE(list->rowCount(), 30);
}

void DlgP2PConfigTest::deleteAllWritesNothing() {
  testing::ScriptedPrompt prompt;
  CDlgP2PConfig dialog({trax(1, {10, 0, 0, 1}), trax(2, {10, 0, 0, 2})}, prompt);
  prompt.answers = {MessageAnswer::Cancel};
  click(dialog, "deleteAll");
  QCOMPARE(dialog.findChild<QTableWidget*>("peerList")->rowCount(), 2);
  click(dialog, "deleteAll");
  QCOMPARE(prompt.boxes.back().text, std::string(forms::texts::kDeleteAllRows));
  click(dialog, "ok");
  QVERIFY(dialog.entries().empty());
}

}  // namespace orvane

QTEST_MAIN(orvane::DlgP2PConfigTest)
#include "dlg_p2p_config_test.moc"
