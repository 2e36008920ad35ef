#pragma once
// A program directory for a run against trax-sim: a firmware image made by
// trax-sim's make-image, and Lumen_.ini naming it.
#include <filesystem>
#include <fstream>
#include <string>

#include "test_support/child_process.h"

namespace test_support {

// The image is complete only once the tool has ended, which closes its
// output; stop() alone would end it at once.
inline void makeFirmwareImage(const std::string& sim, const std::filesystem::path& image) {
  ChildProcess tool(sim, {"make-image", "--kind", "system", "--version", "4.1.0.0", "--size", "4096",
                          image.string()});
  while (tool.readLine()) {
  }
  tool.stop();
}

// Makes M4-TRAX100.bin and Lumen_.ini ("[App]" with FirmwareFileName and the
// given lines, each ending in "\r\n") in `directory`; returns Lumen_.ini.
inline std::filesystem::path makeProgramDirectory(const std::string& sim,
                                                  const std::filesystem::path& directory,
                                                  const std::string& appLines = {}) {
  makeFirmwareImage(sim, directory / "M4-TRAX100.bin");
  const auto ini = directory / "Lumen_.ini";
  std::ofstream(ini, std::ios::binary) << "[App]\r\nFirmwareFileName=M4-TRAX100.bin\r\n" << appLines;
  return ini;
}

}  // namespace test_support
