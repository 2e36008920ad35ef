#pragma once
// The Wirelet calls the serial route makes, and the one lock that keeps its
// links apart. Every call looks its export up by name just before it is
// made; a missing library or export makes the call fail (OpenCom and
// CloseCom return 0, an order returns kOrderNotCalled).
//
// Wirelet runs one transaction at a time per process, and the editor talks
// to the PLC from the user-interface thread (basic settings) as well as from
// the worker (scan, refresh, factory restore). PlcLink therefore holds
// linkMutex() from OpenCom to CloseCom: a flow on one thread waits until the
// other thread's link is closed.
#include <array>
#include <cstdint>
#include <mutex>
#include <span>

#include "orvane/serial/wirelet_library.h"

namespace orvane {

inline constexpr std::uint8_t kOrderGood = 6;       // OrderResult of a normal reply
inline constexpr std::uint8_t kOrderNotCalled = 0;  // no library or no export

// Room for every reply the route asks for and for the longest marker reply.
using OrderReply = std::array<std::uint8_t, 1024>;

class SerialOrders {
 public:
  explicit SerialOrders(const WireletExports& exports) : exports_(exports) {}
  SerialOrders(const SerialOrders&) = delete;
  SerialOrders& operator=(const SerialOrders&) = delete;

  // OpenCom(0, port, 9600, 8, 1, 0): the handle, 0 on failure.
  int openCom(int port);
  // CloseCom(handle): 0 on failure.
  int closeCom(int handle);

  // Each returns the OrderResult; `reply` is zeroed first.
  std::uint8_t order50(int handle, int address, int count, OrderReply& reply);
  std::uint8_t order51(int handle, int address, std::span<const std::uint8_t> data, OrderReply& reply);
  std::uint8_t order40(int handle, int address, int words, OrderReply& reply);
  // `data` holds the words' bytes, low byte first.
  std::uint8_t order46(int handle, int address, std::span<const std::uint8_t> data, OrderReply& reply);
  std::uint8_t order61_12(int handle, int value, int address, int count, OrderReply& reply);

  std::mutex& linkMutex() { return linkMutex_; }

 private:
  template <typename Function>
  Function* exportNamed(const char* name) const {
    return reinterpret_cast<Function*>(exports_.find(name));
  }

  const WireletExports& exports_;
  std::mutex linkMutex_;  // held by PlcLink from OpenCom to CloseCom
};

// One link to the PLC for the length of one operation: takes the link lock,
// opens the port, and closes it again at the end (close() reports how the
// close went; the destructor closes a link still open and ignores the result).
class PlcLink {
 public:
  PlcLink(SerialOrders& orders, int port);
  ~PlcLink();
  PlcLink(const PlcLink&) = delete;
  PlcLink& operator=(const PlcLink&) = delete;

  bool opened() const { return handle_ != 0; }
  int handle() const { return handle_; }
  // CloseCom; false when it returned 0. A link never opened closes nothing.
  bool close();

 private:
  SerialOrders& orders_;
  std::unique_lock<std::mutex> lock_;
  int handle_ = 0;
};

}  // namespace orvane
