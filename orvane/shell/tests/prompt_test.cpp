// The editor's prompt: boxes and dialogs shown on the user-interface thread,
// whether a worker or the user-interface thread asks; the port dialog and
// the file dialog's filter. What the port list holds is the serial core's
// (orvane_serial_core_test).
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "modal_answerer.h"
#include "orvane/shell/dlg_port.h"
#include "orvane/shell/file_filter.h"
#include "orvane/shell/qt_prompt.h"
#include "test_support/temp_dir.h"
#include "worker_thread.h"

namespace orvane::shell_tests {
namespace {

struct SeenBox {
  QString caption, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

SeenBox look(QMessageBox* box) {
  SeenBox seen{box->windowTitle(), box->text(), box->icon(), {}};
  for (auto* button : box->buttons()) seen.buttons << button->text();
  return seen;
}

class PromptTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxes_data() {
    QTest::addColumn<bool>("fromWorker");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<QStringList>("buttonTexts");
    QTest::addColumn<int>("answer");
    const QStringList okCancel{"确定", "取消"};
    const int ok = int(MessageAnswer::Ok), cancel = int(MessageAnswer::Cancel);
    const int one = int(MessageButtons::Ok), two = int(MessageButtons::OkCancel);
    QTest::newRow("worker, OK pressed") << true << two << true << okCancel << ok;
    QTest::newRow("worker, Esc") << true << two << false << okCancel << cancel;
    QTest::newRow("worker, OK only") << true << one << true << QStringList{"确定"} << ok;
    QTest::newRow("UI thread, Esc") << false << two << false << okCancel << cancel;
  }

  void messageBoxes() {
    QFETCH(bool, fromWorker);
    QFETCH(int, buttons);
    QFETCH(bool, pressOk);
    QFETCH(QStringList, buttonTexts);
    QFETCH(int, answer);
    GuiThreadCalls calls;
    QtPrompt prompt(calls);
    SeenBox seen;
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return;
      seen = look(box);
      if (pressOk)
        box->buttons().front()->click();
      else
        QTest::keyClick(box, Qt::Key_Escape);
    });
    MessageAnswer got{};
    const auto ask = [&] {
      got = prompt.messageBox("恢复出厂值失败！", "错误", MessageIcon::Warning,
                              static_cast<MessageButtons>(buttons));
    };
    if (fromWorker)
      runOnWorker(ask);
    else
      ask();
    QVERIFY(answerer.answered());
    QCOMPARE(seen.caption, QString("错误"));
    QCOMPARE(seen.text, QString("恢复出厂值失败！"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, buttonTexts);
    QCOMPARE(int(got), answer);
  }

  void portDialogFromWorker() {
    ::setenv("TRAX_COM77", "/dev/null", 1);
    ::setenv("TRAX_COM78", "/dev/null", 1);
    GuiThreadCalls calls;
    QtPrompt prompt(calls);
    QString caption, openedOn;
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* dialog = qobject_cast<CDlgPort*>(modal);
      if (!dialog) return;
      caption = dialog->windowTitle();
      openedOn = dialog->portList().currentText();
      dialog->portList().setCurrentIndex(dialog->portList().findText("COM77"));
      dialog->accept();
    });
    std::optional<int> chosen;
    runOnWorker([&] { chosen = prompt.choosePort(78); });
    ::unsetenv("TRAX_COM77");
    ::unsetenv("TRAX_COM78");
    QVERIFY(answerer.answered());
    QCOMPARE(caption, QString("配置通信端口"));
    QCOMPARE(openedOn, QString("COM78"));
    QCOMPARE(chosen, std::optional<int>(77));
  }

  void cancelledPortDialogChoosesNothing() {
    GuiThreadCalls calls;
    QtPrompt prompt(calls);
    ModalAnswerer answerer([](QWidget* modal) {
      if (auto* dialog = qobject_cast<CDlgPort*>(modal)) dialog->reject();
    });
    QCOMPARE(prompt.choosePort(3), std::nullopt);
  }

  void emptyPortListKeepsThePort() {
    CDlgPort dialog(5, {});
    dialog.accept();
    QCOMPARE(dialog.portNumber(), 5);
  }

  void fileFilters() {
    struct Row {
      const char* classic;
      const char* qt;
    };
    const Row rows[] = {
        {"Firmware Flies(*.bin)|*.bin||", "Firmware Flies(*.bin)"},
        {"Images|*.bin;*.img||", "Images (*.bin *.img)"},
        {"Firmware(*.bin)|*.bin|All(*.*)|*.*||", "Firmware(*.bin);;All(*.*)"},
        {"Text(*.txt)|*.csv||", "Text(*.txt) (*.csv)"},
        {"", ""},
        {"Broken|", ""},
        {"|*.bin||", ""},
    };
    for (const auto& row : rows) QCOMPARE(qtFileFilter(row.classic), std::string(row.qt));
  }

  void fileDialogFromWorker() {
    test_support::TempDir dir;
    const auto file = dir.path() / "fw.bin";
    {
      std::FILE* f = std::fopen(file.c_str(), "wb");
      std::fclose(f);
    }
    GuiThreadCalls calls;
    QtPrompt prompt(calls);
    QStringList filters;
    ModalAnswerer answerer([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return;
      filters = dialog->nameFilters();
      dialog->selectFile(QString::fromStdString(file.string()));
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own accept is protected
    });
    std::optional<std::filesystem::path> chosen;
    runOnWorker([&] { chosen = prompt.chooseFile(file, "Firmware Flies(*.bin)|*.bin||"); });
    QVERIFY(answerer.answered());
    QCOMPARE(filters, QStringList{"Firmware Flies(*.bin)"});
    QVERIFY(chosen.has_value());
    QCOMPARE(QString::fromStdString(chosen->string()), QString::fromStdString(file.string()));
  }
};

}  // namespace


}  // namespace orvane::shell_tests

QTEST_MAIN(orvane::shell_tests::PromptTest)
#include "prompt_test.moc"
