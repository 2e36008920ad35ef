#pragma once
// Wirelet's exports as the serial route finds them, with single exports
// replaced for a test: made to fail, taken away, or recorded on their way to
// the real library. Function pointers carry no context, so the replacements
// reach the real library and the record through one test-wide Shim.
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "orvane/serial/wirelet_library.h"

namespace orvane::testing {

class Shim final : public WireletExports {
 public:
  // The one shim of the running test.
  static Shim*& current() {
    static Shim* shim = nullptr;
    return shim;
  }

  explicit Shim(const WireletExports& real) : real_(real) { current() = this; }
  ~Shim() override { current() = nullptr; }

  void* find(const char* name) const override {
    const auto it = replaced_.find(name);
    return it != replaced_.end() ? it->second : real_.find(name);
  }

  // Replaces an export; nullptr takes it away.
  void replace(const std::string& name, void* function) { replaced_[name] = function; }
  void* real(const char* name) const { return real_.find(name); }
  // Every export the real one again.
  void restore() { replaced_.clear(); }

  // "Order40 16096 16" and the like, in call order.
  void record(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }
  std::vector<std::string> calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }

  // When set, OpenCom is recorded with the flag's value ("OpenCom 11 busy").
  const std::atomic<bool>* busyFlag = nullptr;

  // Links open at once (OpenCom to CloseCom), and the most ever seen.
  std::atomic<int> openLinks{0};
  std::atomic<int> mostOpenLinks{0};

 private:
  const WireletExports& real_;
  std::map<std::string, void*> replaced_;
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

namespace shim_exports {

inline int closeComFails(int handle) {
  using Close = int(int);
  reinterpret_cast<Close*>(Shim::current()->real("CloseCom"))(handle);
  return 0;
}

inline int openComCounted(int a, int port, int baud, int bits, int stop, int parity) {
  using Open = int(int, int, int, int, int, int);
  auto* shim = Shim::current();
  const int handle = reinterpret_cast<Open*>(shim->real("OpenCom"))(a, port, baud, bits, stop, parity);
  const int open = ++shim->openLinks;
  for (int most = shim->mostOpenLinks; open > most && !shim->mostOpenLinks.compare_exchange_weak(most, open);) {
  }
  const bool busy = shim->busyFlag && shim->busyFlag->load();
  shim->record("OpenCom " + std::to_string(port) + (busy ? " busy" : ""));
  return handle;
}

inline int closeComCounted(int handle) {
  using Close = int(int);
  auto* shim = Shim::current();
  --shim->openLinks;
  shim->record("CloseCom");
  return reinterpret_cast<Close*>(shim->real("CloseCom"))(handle);
}

inline unsigned char order40Recorded(int h, int address, int count, unsigned char* reply) {
  using Order = unsigned char(int, int, int, unsigned char*);
  Shim::current()->record("Order40 " + std::to_string(address) + " " + std::to_string(count));
  return reinterpret_cast<Order*>(Shim::current()->real("Order40"))(h, address, count, reply);
}

inline unsigned char order51Recorded(int h, int address, int count, const unsigned char* data,
                                     unsigned char* reply) {
  using Order = unsigned char(int, int, int, const unsigned char*, unsigned char*);
  char value[8];
  std::snprintf(value, sizeof value, "%02X", count > 0 ? data[0] : 0);
  Shim::current()->record("Order51 " + std::to_string(address) + " " + value);
  return reinterpret_cast<Order*>(Shim::current()->real("Order51"))(h, address, count, data, reply);
}

inline unsigned char order61_12Recorded(int h, int value, int address, int count, unsigned char* reply) {
  using Order = unsigned char(int, int, int, int, unsigned char*);
  Shim::current()->record("Order61_12 " + std::to_string(value) + " " + std::to_string(address) +
                          " " + std::to_string(count));
  return reinterpret_cast<Order*>(Shim::current()->real("Order61_12"))(h, value, address, count, reply);
}

}  // namespace shim_exports

// Every call of the route recorded, links counted.
inline void recordEverything(Shim& shim) {
  shim.restore();
  shim.replace("OpenCom", reinterpret_cast<void*>(&shim_exports::openComCounted));
  shim.replace("CloseCom", reinterpret_cast<void*>(&shim_exports::closeComCounted));
  shim.replace("Order40", reinterpret_cast<void*>(&shim_exports::order40Recorded));
  shim.replace("Order51", reinterpret_cast<void*>(&shim_exports::order51Recorded));
  shim.replace("Order61_12", reinterpret_cast<void*>(&shim_exports::order61_12Recorded));
}

}  // namespace orvane::testing
