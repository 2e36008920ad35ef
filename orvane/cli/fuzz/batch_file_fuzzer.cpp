// The apply file under arbitrary bytes: a taken file has each MAC once and
// lines in file order; a refused one has no lines and names a line the
// text has.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "orvane/cli/batch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto file = orvane::cli::readBatchFile(bytes);
  const auto lineCount = 1 + static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
  if (!file.ok()) {
    if (!file.lines.empty() || file.refusedLine < 1 || file.refusedLine > lineCount || file.refusal.empty())
      std::abort();
    return 0;
  }
  std::set<orvane::MacAddress> macs;
  int previous = 1;
  for (const auto& line : file.lines) {
    if (!macs.insert(line.mac).second || line.line <= previous || line.line > lineCount) std::abort();
    previous = line.line;
  }
  return 0;
}
