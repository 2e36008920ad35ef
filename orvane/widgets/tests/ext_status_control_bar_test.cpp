#include "orvane/widgets/ext_status_control_bar.h"

#include <QLabel>
#include <QTest>

namespace orvane {

class ExtStatusControlBarTest : public QObject {
  Q_OBJECT

 private slots:
  // Panes go in at their position; a position past the end or an id already
  // present is refused and leaves the panes as they were.
  void panesInsertedAtTheirPosition() {
    CExtStatusControlBar bar;
    QVERIFY(bar.addPane(0, 0, 0, new QLabel(&bar)));      // message
    QVERIFY(bar.addPane(0, 130, 110, new QLabel(&bar)));  // logo before it
    QVERIFY(!bar.addPane(3, 131, 100, new QLabel(&bar))); // beyond the two panes
    QVERIFY(bar.addPane(2, 131, 100, new QLabel(&bar)));
    QVERIFY(!bar.addPane(1, 130, 100, new QLabel(&bar))); // id present
    QCOMPARE(bar.paneCount(), 3);
    QCOMPARE(bar.paneIndex(130), 0);
    QCOMPARE(bar.paneIndex(0), 1);
    QCOMPARE(bar.paneIndex(131), 2);
    QCOMPARE(bar.paneControl(130)->width(), 110);
  }
};

}  // namespace orvane

QTEST_MAIN(orvane::ExtStatusControlBarTest)
#include "ext_status_control_bar_test.moc"
