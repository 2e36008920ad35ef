// The module list's header sorting with its arrows and recolouring, and the
// context menu's enabling, on a view fed by hand-filled module tables.
#include <QMenu>
#include <QTest>

#include "editor_fixture.h"

namespace orvane::shell_tests {
namespace {

QStringList macColumn(COrvaneView& view) {
  QStringList macs;
  for (int row = 0; row < view.rowCount(); ++row) macs << cell(view, row, kColumnMac).right(2);
  return macs;
}

SortArrow arrowOf(COrvaneView& view, int column) {
  return static_cast<SortArrow>(
      view.horizontalHeaderItem(column)->data(COrvaneView::kSortArrowRole).toInt());
}

class ViewSortMenuTest : public QObject {
  Q_OBJECT

 private slots:
  // Modules 01 and 03 share an IP address; 02 is yellow, 03 red.
  void sortingMovesRowsArrowsAndColours() {
    Editor editor;
    auto three = moduleRecord(3, kRunModeSystemProgram, 0x02);
    three.currentIp = {10, 0, 0, 1};
    editor.fill({moduleRecord(1, kRunModeSystemProgram), moduleRecord(2, kRunModeSystemProgram, 0x01),
                 three});
    auto& view = editor.view();
    view.refreshList(-1);

    view.sortByColumn(kColumnIp, false);
    QCOMPARE(macColumn(view), QStringList({"02", "01", "03"}));
    QCOMPARE(arrowOf(view, kColumnIp), SortArrow::Descending);
    QTRY_COMPARE(background(view, 0), QColor(Qt::yellow));  // recoloured after the sort
    QCOMPARE(background(view, 2), QColor(Qt::red));
    QCOMPARE(cell(view, view.currentRow(), kColumnMac).right(2), QString("01"));

    view.sortByColumn(kColumnIp, false);
    QCOMPARE(macColumn(view), QStringList({"01", "03", "02"}));
    QCOMPARE(arrowOf(view, kColumnIp), SortArrow::Ascending);

    // By name (descending), then by IP again in the direction it shows.
    view.sortByColumn(kColumnName, true);
    QCOMPARE(macColumn(view), QStringList({"03", "01", "02"}));
    QCOMPARE(arrowOf(view, kColumnName), SortArrow::Descending);
    QCOMPARE(arrowOf(view, kColumnIp), SortArrow::Ascending);
    QTRY_COMPARE(background(view, 0), QColor(Qt::red));
    QCOMPARE(background(view, 2), QColor(Qt::yellow));

    view.sortByColumn(kColumnMac, false);
    QCOMPARE(arrowOf(view, kColumnIp), SortArrow::None);
  }

  // With 256 records a sort leaves the colours at their row positions.
  void fullTableIsNotRecoloured() {
    Editor editor;
    editor.fill({moduleRecord(1, kRunModeSystemProgram, 0x02), moduleRecord(2, kRunModeSystemProgram)});
    auto& view = editor.view();
    view.refreshList(-1);
    for (int n = 2; n < kModuleTableSize; ++n) editor.app.core().table().append(moduleRecord(n + 1, 2));
    view.sortByColumn(kColumnIp, false);
    QCOMPARE(macColumn(view), QStringList({"02", "01"}));
    QCoreApplication::processEvents();
    QCOMPARE(background(view, 0), QColor(Qt::red));
    QCOMPARE(background(view, 1), QColor(Qt::white));
  }

  void contextMenuFollowsRouteAndRunMode_data() {
    QTest::addColumn<int>("protocolType");
    QTest::addColumn<int>("runMode");
    QTest::addColumn<bool>("selected");
    // B basic, A advanced, P peer, S save and L load a settings file, U upgrade, R restore
    QTest::addColumn<QString>("enabled");
    QTest::newRow("network, system program") << 0 << 2 << true << "BAPSLUR";
    QTest::newRow("network, boot loader") << 0 << 1 << true << "U";
    QTest::newRow("network, nothing selected") << 0 << 2 << false << "U";
    QTest::newRow("serial") << 1 << 0 << true << "BR";
  }

  void contextMenuFollowsRouteAndRunMode() {
    QFETCH(int, protocolType);
    QFETCH(int, runMode);
    QFETCH(bool, selected);
    QFETCH(QString, enabled);
    Editor editor;
    editor.app.core().overrideProtocolType(protocolType);
    editor.fill({moduleRecord(1, static_cast<std::uint8_t>(runMode))});
    auto& view = editor.view();
    view.refreshList(-1);
    if (!selected) view.clearSelection();
    const std::map<int, QChar> letters{{kCmdBasicSettings, 'B'},   {kCmdAdvancedSettings, 'A'},
                                       {kCmdPeerSettings, 'P'},    {kCmdSaveSettings, 'S'},
                                       {kCmdLoadSettings, 'L'},    {kCmdFirmwareUpgrade, 'U'},
                                       {kCmdFactoryRestore, 'R'}};
    QString shown;
    for (QAction* action : view.contextMenu().actions())
      if (!action->isSeparator() && action->isEnabled())
        shown += letters.at(action->data().toInt());
    QCOMPARE(shown, enabled);
    QCOMPARE(view.contextMenu().actions().size(), 9);
  }
};

}  // namespace
}  // namespace orvane::shell_tests

QTEST_MAIN(orvane::shell_tests::ViewSortMenuTest)
#include "view_sort_menu_test.moc"
