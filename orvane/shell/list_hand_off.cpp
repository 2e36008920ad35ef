#include "list_hand_off.h"

#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <ctime>

#include "orvane_view.h"
#include "qt_text.h"
#include "orvane/export/csv_export.h"
#include "orvane/export/export_texts.h"
#include "orvane/export/test_tool.h"

namespace orvane {
namespace {

std::tm localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

std::optional<std::filesystem::path> chooseExportFile(QWidget* parent) {
  QFileDialog dialog(parent, qtText(texts::kExportTitle));
  dialog.setObjectName(QStringLiteral("exportFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.setNameFilters({qtText(texts::kExportFilter), QStringLiteral("All Files (*.*)")});
  dialog.selectFile(qtText(defaultExportFileName(localTimeNow())));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

}  // namespace

std::vector<std::array<std::string, kColumnCount>> shownRows(const QTableWidget& list) {
  std::vector<std::array<std::string, kColumnCount>> rows;
  const auto* header = list.verticalHeader();
  for (int shown = 0; shown < list.rowCount(); ++shown) {
    const int row = header->logicalIndex(shown);
    std::array<std::string, kColumnCount> texts;
    for (int column = 0; column < kColumnCount && column < list.columnCount(); ++column)
      if (const auto* item = list.item(row, column)) texts[static_cast<std::size_t>(column)] = utf8Text(item->text());
    rows.push_back(std::move(texts));
  }
  return rows;
}

void exportModuleList(const QTableWidget& list, Prompt& prompt, QWidget* parent) {
  if (list.rowCount() == 0) return;
  const auto file = chooseExportFile(parent);
  if (!file) return;
  exportCsv(*file, shownRows(list), prompt);
}

void testSelectedModule(const QTableWidget& list, const ModuleTable& table,
                        const std::filesystem::path& programDirectory) {
  int first = -1;
  for (const auto& index : list.selectionModel()->selectedRows())
    if (first < 0 || index.row() < first) first = index.row();
  if (first < 0) return;
  const auto* mac = list.item(first, kColumnMac);
  const int index = mac ? table.findByMacText(rowKeyOfCell(*mac)) : -1;
  if (index < 0 || index > 255) return;
  if (const auto record = table.record(index)) startTestTool(programDirectory, *record);
}

}  // namespace orvane
