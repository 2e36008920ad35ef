#include "test_tool.h"

#include <string>
#include <system_error>

#include "platform/detached_process.h"
#include "platform/ini_file.h"
#include "platform/settings_location.h"

namespace orvane {
namespace {

constexpr const char* kSection = "MODBUSTCPIP";

}  // namespace

long long testStation(const ModuleRecord& record) {
  return record.fixedId != 0 ? record.fixedId : static_cast<long long>(record.moduleId);
}

bool writeHandOffFile(const std::filesystem::path& file, const ModuleRecord& record) {
  bool written = true;
  for (int i = 0; i < 4; ++i) {
    const auto key = "IP Address" + std::to_string(i);
    written &= platform::writeProfileString(file, kSection, key,
                                            std::to_string(record.currentIp[static_cast<std::size_t>(i)]));
  }
  written &= platform::writeProfileString(file, kSection, "Station",
                                          std::to_string(testStation(record)));
  return written;
}

TestToolOutcome startTestTool(const std::filesystem::path& programDirectory,
                              const ModuleRecord& record) {
  const auto directory = programDirectory / kTestToolDirectory;
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) return TestToolOutcome::NoDirectory;
  // A read-only installation hands off through the user's copy, which
  // Tessor, asking the same question from its own directory, reads too.
  writeHandOffFile(platform::settingsFile(directory / kHandOffFileName).path, record);
  const auto program = directory / platform::executableFileName(kTestToolBaseName);
  return platform::startDetached(program, directory) ? TestToolOutcome::Started
                                                     : TestToolOutcome::StartFailed;
}

}  // namespace orvane
