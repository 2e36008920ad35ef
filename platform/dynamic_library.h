#pragma once
// A shared library loaded by file name at run time and its exports looked up
// by name: dlopen/dlsym on Linux, LoadLibrary/GetProcAddress on Windows.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The platform's file name of a shared library: "Wirelet" is libWirelet.so on
// Linux, Wirelet.dll on Windows, libWirelet.dylib on macOS.
std::string sharedLibraryFileName(std::string_view baseName);

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary() { release(); }
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;
  DynamicLibrary(DynamicLibrary&& other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;

  // Loads `file`. A bare file name is looked for in the system's search order
  // first and then in the program directory; a path is loaded as it stands.
  // On failure the library stays unloaded and errorCode()/errorText() keep
  // what the system said at that moment.
  bool load(const std::filesystem::path& file);
  void release();
  bool loaded() const { return handle_ != nullptr; }

  // The address of an export; nullptr when not loaded or when no export has
  // that name.
  void* symbol(const char* name) const;

  // The system's error number of the last failed load (errno on POSIX,
  // GetLastError on Windows), 0 when the loader gave none.
  int errorCode() const { return errorCode_; }
  const std::string& errorText() const { return errorText_; }

 private:
  bool open(const std::string& path);

  void* handle_ = nullptr;
  int errorCode_ = 0;
  std::string errorText_;
};

}  // namespace platform
