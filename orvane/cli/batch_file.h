#pragma once
// The file of `orvane-cli apply`: a header line naming the columns (the MAC
// first, then any of id, name, description, dhcp, ip, mask, gateway,
// master-timeout, slave-timeout), then one line per module. Every line is
// checked here, with the checks and texts of the settings dialogs, before
// anything is sent: one bad line refuses the whole file.
#include <string>
#include <string_view>
#include <vector>

#include "cli_dialogs.h"
#include "orvane/protocol/module_record.h"

namespace orvane::cli {

// One module's changes. An empty cell leaves that setting as the module has it.
struct BatchLine {
  int line = 0;  // where the module's line starts in the file
  MacAddress mac{};
  BasicChanges basic;
  AdvancedChanges advanced;
};

struct BatchFile {
  std::vector<BatchLine> lines;
  std::string encoding;  // what the file was read as: "UTF-8" or "GBK"

  // A refused file: where, and why.
  int refusedLine = 0;  // 0 when the file was taken
  std::string refusedColumn;
  std::string refusal;
  bool dialogRefusal = false;  // refusal is a settings dialog's message

  bool ok() const { return refusedLine == 0; }
};

BatchFile readBatchFile(std::string_view bytes);

}  // namespace orvane::cli
