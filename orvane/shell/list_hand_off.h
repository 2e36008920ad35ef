#pragma once
// The view's two hand-off commands on the Qt side: "导出" asks for the file
// (the save dialog with the time-stamped default name) and writes the list's
// rows in display order; "测试" hands the selected row's module to Tessor.
#include <QTableWidget>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "orvane/protocol/module_table.h"
#include "orvane/protocol/prompt.h"
#include "orvane/protocol/row_format.h"

namespace orvane {

// The rows as the list shows them, top to bottom, every column.
std::vector<std::array<std::string, kColumnCount>> shownRows(const QTableWidget& list);

// Nothing when the list is empty or the dialog is cancelled.
void exportModuleList(const QTableWidget& list, Prompt& prompt, QWidget* parent);

// The selected row's module (found through its MAC text; nothing when none
// is selected or the record index is above 255) into Config.ini of
// ORVANETEST in `programDirectory`, then Tessor started there.
void testSelectedModule(const QTableWidget& list, const ModuleTable& table,
                        const std::filesystem::path& programDirectory);

}  // namespace orvane
