// The editor's commands against the demo modules of trax-sim: each settings
// command opens its dialog with the module's values (answered here by
// Cancel, so nothing is written); export writes the list, test hands the
// selected module to the program in ORVANETEST.
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <fstream>
#include <sys/stat.h>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "demo_editor.h"
#include "modal_answerer.h"
#include "orvane/protocol/command_enabling.h"

namespace orvane {

class QtSettingsDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void commandsOpenTheirDialogsWithTheModulesValues();
  void exportAndTestFromTheWindow();
};

using shell_tests::DemoEditor;

void QtSettingsDialogsTest::commandsOpenTheirDialogsWithTheModulesValues() {
  DemoEditor editor;
  QVERIFY(editor.start());
  auto& view = editor.app->mainFrame().view();
  QCOMPARE(view.item(view.currentRow(), kColumnMac)->text(), QStringLiteral("00.11.22.33.44.55"));

  struct Case {
    void (COrvaneView::*command)();
    const char* dialog;
    QString title;
    const char* control;  // a line edit, or the peer list
    QString shown;        // its text, or the list's first row config
  };
  const Case cases[] = {
      {&COrvaneView::basicSettings, "CDlgGeneralSet", QStringLiteral("基本设置"), "name", QStringLiteral("一号线主站")},
      {&COrvaneView::advancedSettings, "CDlgAdvancedSet", QStringLiteral("TRAX高级设置"), "masterTimeout", QStringLiteral("500")},
      {&COrvaneView::peerSettings, "CDlgP2PConfig", QStringLiteral("点对点配置"), "peerList", QStringLiteral("IP = 127.0.0.12")},
  };
  for (const auto& c : cases) {
    QString seen;
    shell_tests::ModalAnswerer answer([&](QWidget* modal) {
      seen = modal->objectName() + "|" + modal->windowTitle() + "|";
      if (auto* edit = modal->findChild<QLineEdit*>(c.control)) seen += edit->text();
      if (auto* list = modal->findChild<QTableWidget*>(c.control)) seen += list->item(0, 2)->text();
      if (auto* cancel = modal->findChild<QPushButton*>("cancel"))
        cancel->click();
      else
        qobject_cast<QDialog*>(modal)->reject();  // a box instead of the dialog
    });
    (view.*c.command)();
    QVERIFY2(answer.answered(), c.dialog);
    QCOMPARE(seen, QString::fromLatin1(c.dialog) + "|" + c.title + "|" + c.shown);
  }
}

void QtSettingsDialogsTest::exportAndTestFromTheWindow() {
  DemoEditor editor;
  QVERIFY(editor.start());
  auto& frame = editor.app->mainFrame();
  const auto csv = editor.dir.path() / "list.csv";
  QStringList boxes;
  QTimer answerer;  // the save dialog gets the path; boxes are read and closed
  connect(&answerer, &QTimer::timeout, [&] {
    if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      boxes << files->windowTitle() + "|" + files->selectedFiles().value(0).section('/', -1);
      // selectFile leaves the name alone while the name field has the focus.
      files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QString::fromStdString(csv.string()));
      static_cast<QDialog*>(files)->accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes << box->windowTitle() + "|" + box->text();
      box->accept();
    }
  });
  answerer.start(10);
  frame.onCommand(kCmdExport);
  answerer.stop();
  QCOMPARE(boxes.size(), 2);
  QVERIFY(QRegularExpression("^导出\\|\\d{14}\\.csv$").match(boxes[0]).hasMatch());
  QCOMPARE(boxes[1], "信息|导出文件保存于" + QString::fromStdString(csv.string()) + "!");
  QVERIFY(std::filesystem::file_size(csv) > 0);

  const auto testDir = editor.dir.path() / "ORVANETEST";
  std::filesystem::create_directory(testDir);
  const auto program = testDir / "tessor";
  std::ofstream(program) << "#!/bin/sh\npwd > started.tmp && mv started.tmp started.txt\n";
  ::chmod(program.c_str(), 0755);
  auto& view = frame.view();  // 00.11.22.33.44.59: automatic address 127.0.0.105, ID 5
  for (int row = 0; row < view.rowCount(); ++row)
    if (view.item(row, kColumnMac)->text() == QStringLiteral("00.11.22.33.44.59")) view.selectRow(row);
  frame.onCommand(kCmdTest);
  QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(testDir / "started.txt"), 5000);
  std::ifstream config(testDir / "Config.ini");
  const std::string text((std::istreambuf_iterator<char>(config)), std::istreambuf_iterator<char>());
  QCOMPARE(QString::fromStdString(text),
           QStringLiteral("[MODBUSTCPIP]\r\nIP Address0=127\r\nIP Address1=0\r\nIP Address2=0\r\n"
                          "IP Address3=105\r\nStation=5\r\n"));
}

}  // namespace orvane

QTEST_MAIN(orvane::QtSettingsDialogsTest)
#include "qt_settings_dialogs_test.moc"
