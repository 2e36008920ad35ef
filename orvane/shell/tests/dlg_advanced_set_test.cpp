// CDlgAdvancedSet offscreen: what it opens with, what OK refuses and where
// the focus goes, and what it hands back.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "orvane/forms/form_texts.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "orvane/shell/dlg_advanced_set.h"

namespace orvane {

class DlgAdvancedSetTest : public QObject {
  Q_OBJECT

 private slots:
  void opensAndHandsBack();
  void refusals_data();
  void refusals();
};

AdvancedSettings block() {
  AdvancedSettings s;
  s.mac = {1, 2, 3, 4, 5, 6};
  s.reservedA = 7;
  s.reservedB = 300;
  s.reservedByte = 1;
  s.masterTimeoutMs = 500;
  s.slaveTimeoutSec = 30;
  return s;
}

void DlgAdvancedSetTest::opensAndHandsBack() {
  testing::ScriptedPrompt prompt;
  CDlgAdvancedSet dialog(block(), prompt);
  auto* master = dialog.findChild<QLineEdit*>("masterTimeout");
  auto* slave = dialog.findChild<QLineEdit*>("slaveTimeout");
  QCOMPARE(master->text(), QStringLiteral("500"));
  QCOMPARE(slave->text(), QStringLiteral("30"));
  master->setText(QStringLiteral("-1"));
  slave->setText(QStringLiteral("5abc"));
  dialog.findChild<QPushButton*>("ok")->click();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  auto expected = block();
  expected.masterTimeoutMs = 4294967295u;
  expected.slaveTimeoutSec = 5;
  QVERIFY(dialog.settings() == expected);
  QVERIFY(prompt.boxes.empty());
}

void DlgAdvancedSetTest::refusals_data() {
  QTest::addColumn<QString>("master");
  QTest::addColumn<QString>("slave");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("focused");
  const auto master = QString::fromUtf8(forms::texts::kMasterTimeout.data());
  const auto slave = QString::fromUtf8(forms::texts::kSlaveTimeout.data());
  QTest::newRow("master 0") << "0" << "30" << master << "masterTimeout";
  QTest::newRow("master abc") << "abc" << "30" << master << "masterTimeout";
  QTest::newRow("slave empty") << "500" << "" << slave << "slaveTimeout";
  QTest::newRow("master first") << "" << "0" << master << "masterTimeout";
}

void DlgAdvancedSetTest::refusals() {
  QFETCH(QString, master);
  QFETCH(QString, slave);
  QFETCH(QString, message);
  QFETCH(QString, focused);
  testing::ScriptedPrompt prompt;
  CDlgAdvancedSet dialog(block(), prompt);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  dialog.findChild<QLineEdit*>("masterTimeout")->setText(master);
  dialog.findChild<QLineEdit*>("slaveTimeout")->setText(slave);
  dialog.findChild<QPushButton*>("ok")->click();
  QVERIFY(dialog.isVisible());
  QCOMPARE(prompt.boxes.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(prompt.boxes[0].text), message);
  QCOMPARE(prompt.boxes[0].caption, std::string("错误"));
  auto* edit = dialog.findChild<QLineEdit*>(focused);
  QVERIFY(edit->hasFocus());
  QCOMPARE(edit->selectedText(), edit->text());
  QVERIFY(dialog.settings() == block());
}

}  // namespace orvane

QTEST_MAIN(orvane::DlgAdvancedSetTest)
#include "dlg_advanced_set_test.moc"
