// The CSV export without its window: the file's bytes and the steps around
// writing it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "orvane/export/csv_export.h"
#include "test_support/temp_dir.h"

namespace orvane {
namespace {

const std::string kHeaderGbk =
    "MAC\xB5\xD8\xD6\xB7,\xC4\xA3\xBF\xE9\xC0\xE0\xD0\xCD,IP\xB5\xD8\xD6\xB7,ID,"
    "\xC3\xFB\xB3\xC6,\xC3\xE8\xCA\xF6,\xD7\xB4\xCC\xAC,\xB0\xE6\xB1\xBE\r\n";

ExportRow row(std::string mac, std::string name, std::string description) {
  return {mac, "M4-TRAX100", "192.168.10.11", "1", name, description, "OK", "V4.1.0.3"};
}

ModuleRecord bootLoaderRecord() {
  ModuleRecord r;
  r.mac = {0, 0x11, 0x22, 0x33, 0x44, 0x56};
  r.runMode = kRunModeBootLoader;
  r.moduleId = 9;
  setTextField(r.name, "x");
  return r;
}

class RecordingPrompt final : public Prompt {
 public:
  MessageAnswer messageBox(std::string_view text, std::string_view caption, MessageIcon icon,
                           MessageButtons) override {
    boxes.push_back(std::string(caption) + "|" + std::string(text));
    icons.push_back(icon);
    return MessageAnswer::Ok;
  }
  std::optional<std::filesystem::path> chooseFile(const std::filesystem::path&,
                                                  std::string_view) override {
    return std::nullopt;
  }
  std::optional<int> choosePort(int) override { return std::nullopt; }
  std::vector<std::string> boxes;
  std::vector<MessageIcon> icons;
};

std::string fileBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(CsvExport, LinesAsTheListShowsThem) {
  const auto boot = formatModuleRow(bootLoaderRecord(), kProtocolTcpIp).columns;
  struct Case {
    const char* what;
    std::vector<ExportRow> rows;
    std::string lines;  // after the header
  };
  const Case cases[] = {
      {"display order kept", {row("B", "b", "d"), row("A", "a", "d")},
       "B,M4-TRAX100,192.168.10.11,1,b,d,OK,V4.1.0.3\r\nA,M4-TRAX100,192.168.10.11,1,a,d,OK,V4.1.0.3\r\n"},
      {"comma in a name", {row("A", "A,B", "d")}, "A,M4-TRAX100,192.168.10.11,1,\"A,B\",d,OK,V4.1.0.3\r\n"},
      {"double quote in a description", {row("A", "n", "say \"hi\"")},
       "A,M4-TRAX100,192.168.10.11,1,n,\"say \"\"hi\"\"\",OK,V4.1.0.3\r\n"},
      {"line break in a description", {row("A", "n", "a\nb")},
       "A,M4-TRAX100,192.168.10.11,1,n,\"a\r\nb\",OK,V4.1.0.3\r\n"},
      {"GBK", {row("A", "一号", "d")},
       "A,M4-TRAX100,192.168.10.11,1,\xD2\xBB\xBA\xC5,d,OK,V4.1.0.3\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(csvFileBytes(c.rows), kHeaderGbk + c.lines) << c.what;
  }
  const auto bootBytes = csvFileBytes(std::vector{boot});
  EXPECT_NE(bootBytes.find("00.11.22.33.44.56,"), std::string::npos);
  EXPECT_NE(bootBytes.find(",,,,"), std::string::npos) << "ID, name and description empty";
}

TEST(CsvExport, DefaultNameFromTheLocalTime) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 6;
  t.tm_hour = 17;
  t.tm_min = 3;
  EXPECT_EQ(defaultExportFileName(t), "20261206170300.csv");
}

TEST(CsvExport, FileSteps) {
  test_support::TempDir dir;
  const std::vector rows{row("A", "a", "d")};
  const auto expected = csvFileBytes(rows);
  struct Case {
    const char* what;
    std::filesystem::path file;
    std::function<void(const std::filesystem::path&)> before;
    ExportOutcome outcome;
    std::string box;
  };
  const auto nested = dir.path() / "x" / "y" / "out.csv";
  const auto existing = dir.path() / "old.csv";
  const auto busy = dir.path() / "busy.csv";  // a directory with something in it cannot be deleted
  const auto underFile = dir.path() / "plain" / "out.csv";
  const Case cases[] = {
      {"missing directories created", nested, [](auto&) {}, ExportOutcome::Written,
       "信息|导出文件保存于" + nested.string() + "!"},
      {"existing file replaced", existing, [](auto& f) { std::ofstream(f) << "old contents, longer than the new"; },
       ExportOutcome::Written, "信息|导出文件保存于" + existing.string() + "!"},
      {"overwrite failure", busy,
       [](auto& f) {
         std::filesystem::create_directories(f / "inside");
       },
       ExportOutcome::OverwriteFailed, "错误|覆盖文件时出错！"},
      {"open failure", underFile, [&](auto&) { std::ofstream(dir.path() / "plain") << "file"; },
       ExportOutcome::OpenFailed, "错误|" + underFile.string() + "\n文件打开错误！"},
  };
  for (const auto& c : cases) {
    c.before(c.file);
    RecordingPrompt prompt;
    EXPECT_EQ(exportCsv(c.file, rows, prompt), c.outcome) << c.what;
    ASSERT_EQ(prompt.boxes.size(), 1u) << c.what;
    EXPECT_EQ(prompt.boxes[0], c.box) << c.what;
    EXPECT_EQ(prompt.icons[0], c.outcome == ExportOutcome::Written ? MessageIcon::Information
                                                                   : MessageIcon::Error);
    if (c.outcome == ExportOutcome::Written) {
      EXPECT_EQ(fileBytes(c.file), expected) << c.what;
    }
  }
}

}  // namespace
}  // namespace orvane
