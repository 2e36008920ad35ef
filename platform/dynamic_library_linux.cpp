#include "dynamic_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/program_dir.h"

namespace platform {

std::string sharedLibraryFileName(std::string_view baseName) {
  return "lib" + std::string(baseName) + ".so";
}

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      errorCode_(other.errorCode_),
      errorText_(std::move(other.errorText_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
  if (this != &other) {
    release();
    handle_ = std::exchange(other.handle_, nullptr);
    errorCode_ = other.errorCode_;
    errorText_ = std::move(other.errorText_);
  }
  return *this;
}

bool DynamicLibrary::open(const std::string& path) {
  errno = 0;
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_) return true;
  // Taken at once: the next call into the C library may change both.
  errorCode_ = errno;
  const char* text = ::dlerror();
  errorText_ = text ? text : "";
  // The loader does not always leave an error number: ask the file itself
  // (missing, not readable), or call it a file that is no loadable library.
  if (errorCode_ == 0) errorCode_ = ::access(path.c_str(), R_OK) != 0 ? errno : ENOEXEC;
  return false;
}

bool DynamicLibrary::load(const std::filesystem::path& file) {
  release();
  errorCode_ = 0;
  errorText_.clear();
  if (open(file.string())) return true;
  if (file.has_parent_path()) return false;
  // The system's search order did not find it: the program directory too,
  // as the editor's start-up appends it to the process's search path.
  return open((programDirectory() / file).string());
}

void DynamicLibrary::release() {
  if (handle_) ::dlclose(handle_);
  handle_ = nullptr;
}

void* DynamicLibrary::symbol(const char* name) const {
  if (!handle_ || !name) return nullptr;
  return ::dlsym(handle_, name);
}

}  // namespace platform
