#pragma once
// Wirelet, the serial order library, as the editor binds it: loaded by file
// name once at start-up, kept for the whole run and released at exit. Each
// call looks its export up by name just before it is made (SerialOrders).
#include <filesystem>
#include <string>

#include "platform/dynamic_library.h"

namespace orvane {

// Where the calls find Wirelet's exports. Tests put a stand-in between the
// calls and the real library to make single exports fail or go missing.
class WireletExports {
 public:
  virtual ~WireletExports() = default;
  // The export's address, looked up now; nullptr without a library or
  // without an export of that name.
  virtual void* find(const char* name) const = 0;
};

class WireletLibrary final : public WireletExports {
 public:
  // The platform's file name: libWirelet.so, Wirelet.dll, libWirelet.dylib.
  static std::string fileName();

  // Loads the library by its file name (the system's search order, then the
  // program directory), or from a given path. False when it cannot be loaded.
  bool load();
  bool load(const std::filesystem::path& file);
  void release() { library_.release(); }
  bool loaded() const { return library_.loaded(); }

  // The start-up failure text: "没有找到<file name>\nError Code: <code>"
  // with the system's error number of the failed load.
  std::string notFoundText() const;
  // What the system's loader said, for a diagnostic line.
  const std::string& loaderText() const { return library_.errorText(); }

  void* find(const char* name) const override { return library_.symbol(name); }

 private:
  platform::DynamicLibrary library_;
  std::string file_ = fileName();
};

}  // namespace orvane
