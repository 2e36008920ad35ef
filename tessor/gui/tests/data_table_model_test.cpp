// The data table on screen: a consistent model through every layout, headers
// from the table, edits into the table.
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <array>

#include "tessor/gui/data_table_model.h"

namespace tessor {

class DataTableModelTest : public QObject {
  Q_OBJECT

 private slots:
  void followsTheTableThroughLayouts() {
    DataTable table;
    DataTableModel model(table);
    table.setLayoutListener([&](bool autosize) { model.tableLaidOut(autosize); });
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    table.setStartAddress("R2000");
    std::array<std::uint16_t, 125> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::uint16_t>(i);
    const int counts[] = {10, 1, 0, 125, 16};
    for (const int n : counts) {
      table.ShowValues(values, n, 1, true);
      QCOMPARE(model.rowCount(), table.rowCount() - 1);
      QCOMPARE(model.columnCount(), n == 0 ? 0 : table.columnCount() - 1);
    }
    QCOMPARE(resets.count(), 5);
    QCOMPARE(model.headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("R2010"));
    QCOMPARE(model.headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("+7"));
    QCOMPARE(model.data(model.index(1, 2), Qt::DisplayRole).toString(), QStringLiteral("10"));
    QCOMPARE(model.data(model.index(0, 0), Qt::BackgroundRole).value<QBrush>().color(),
             QColor(255, 255, 224));

    QVERIFY(model.setData(model.index(1, 1), QStringLiteral("ab"), Qt::EditRole));
    QCOMPARE(table.cell(2, 2), std::string("ab"));
    table.setSelectedFormat(2);
    table.setPreviousFormat(1);
    table.Relayout(16, false);  // decimal to hexadecimal
    QCOMPARE(model.data(model.index(1, 2), Qt::DisplayRole).toString(), QStringLiteral("A"));
  }
};

}  // namespace tessor

QTEST_GUILESS_MAIN(tessor::DataTableModelTest)
#include "data_table_model_test.moc"
