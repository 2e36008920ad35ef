#include "orvane/widgets/auto_hide_frame.h"

#include <QDockWidget>
#include <QTest>
#include <QToolButton>

namespace orvane {

class AutoHideFrameTest : public QObject {
  Q_OBJECT

 private slots:
  // The pin collapses the bar into a tab at its edge; the tab brings it back.
  void pinCollapsesIntoTabAndTabRestores() {
    CAutoHideFrame frame;
    auto* dock = new QDockWidget(QStringLiteral("Pages"), &frame);
    frame.addAutoHideDock(dock, Qt::BottomDockWidgetArea, QIcon());
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    auto* pin = dock->findChild<QToolButton*>(QStringLiteral("AutoHidePin"));
    QVERIFY(pin);
    pin->click();
    QVERIFY(!dock->isVisible());
    QVERIFY(frame.autoHidden(dock));
    QToolButton* tab = frame.autoHideBar(Qt::BottomDockWidgetArea).tab(dock);
    QVERIFY(tab);
    QCOMPARE(tab->text(), QStringLiteral("Pages"));

    tab->click();
    QVERIFY(dock->isVisible());
    QVERIFY(!frame.autoHidden(dock));
    QVERIFY(frame.autoHideBar(Qt::BottomDockWidgetArea).isHidden());
  }
};

}  // namespace orvane

QTEST_MAIN(orvane::AutoHideFrameTest)
#include "auto_hide_frame_test.moc"
