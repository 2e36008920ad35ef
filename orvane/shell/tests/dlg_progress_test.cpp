// The progress dialog: the reports it shows, and a run that ended before
// the dialog opened.
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "orvane/shell/dlg_progress.h"

namespace orvane {

class DlgProgressTest : public QObject {
  Q_OBJECT

 private slots:
  // A 100 that came first: exec() returns without waiting for anything.
  void hundredFirstClosesAtOnce() {
    CDlgProgress dialog(100);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
  }

  void reportsUpToHundred() {
    CDlgProgress dialog(5);
    QCOMPARE(dialog.position(), 5);
    QVERIFY(!dialog.cancelEnabled());
    QTimer::singleShot(0, &dialog, [&] {
      dialog.progress(51);
      QCOMPARE(dialog.text(), QStringLiteral("当前进度：51%"));
      QCOMPARE(dialog.position(), 51);
      dialog.progress(100);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(dialog.cancelEnabled());
    QCOMPARE(dialog.text(), QStringLiteral("当前进度：100%"));
  }

  void opensAtZero() {
    CDlgProgress dialog(0);
    QCOMPARE(dialog.text(), QStringLiteral("当前进度："));
    QCOMPARE(dialog.position(), 0);
  }
};

}  // namespace orvane

QTEST_MAIN(orvane::DlgProgressTest)
#include "dlg_progress_test.moc"
