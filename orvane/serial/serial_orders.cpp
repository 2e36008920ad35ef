#include "serial_orders.h"

namespace orvane {
namespace {

// The C signatures of the exports (see wirelet/wirelet.h).
using OpenComFunction = int(int, int, int, int, int, int);
using CloseComFunction = int(int);
using Order50Function = unsigned char(int, int, int, unsigned char*);
using Order51Function = unsigned char(int, int, int, const unsigned char*, unsigned char*);
using Order40Function = unsigned char(int, int, int, unsigned char*);
using Order46Function = unsigned char(int, int, int, const unsigned char*, unsigned char*);
using Order61_12Function = unsigned char(int, int, int, int, unsigned char*);

constexpr int kBaud = 9600;
constexpr int kDataBits = 8;
constexpr int kStopBits = 1;
constexpr int kParity = 0;

}  // namespace

int SerialOrders::openCom(int port) {
  auto* call = exportNamed<OpenComFunction>("OpenCom");
  return call ? call(0, port, kBaud, kDataBits, kStopBits, kParity) : 0;
}

int SerialOrders::closeCom(int handle) {
  auto* call = exportNamed<CloseComFunction>("CloseCom");
  return call ? call(handle) : 0;
}

std::uint8_t SerialOrders::order50(int handle, int address, int count, OrderReply& reply) {
  reply.fill(0);
  auto* call = exportNamed<Order50Function>("Order50");
  return call ? call(handle, address, count, reply.data()) : kOrderNotCalled;
}

std::uint8_t SerialOrders::order51(int handle, int address, std::span<const std::uint8_t> data,
                                   OrderReply& reply) {
  reply.fill(0);
  auto* call = exportNamed<Order51Function>("Order51");
  return call ? call(handle, address, static_cast<int>(data.size()), data.data(), reply.data())
              : kOrderNotCalled;
}

std::uint8_t SerialOrders::order40(int handle, int address, int words, OrderReply& reply) {
  reply.fill(0);
  auto* call = exportNamed<Order40Function>("Order40");
  return call ? call(handle, address, words, reply.data()) : kOrderNotCalled;
}

// The count of Order46 is in words; `data` carries two bytes for each.
std::uint8_t SerialOrders::order46(int handle, int address, std::span<const std::uint8_t> data,
                                   OrderReply& reply) {
  reply.fill(0);
  auto* call = exportNamed<Order46Function>("Order46");
  return call ? call(handle, address, static_cast<int>(data.size() / 2), data.data(), reply.data())
              : kOrderNotCalled;
}

std::uint8_t SerialOrders::order61_12(int handle, int value, int address, int count,
                                      OrderReply& reply) {
  reply.fill(0);
  auto* call = exportNamed<Order61_12Function>("Order61_12");
  return call ? call(handle, value, address, count, reply.data()) : kOrderNotCalled;
}

PlcLink::PlcLink(SerialOrders& orders, int port) : orders_(orders), lock_(orders.linkMutex()) {
  handle_ = orders_.openCom(port);
}

PlcLink::~PlcLink() {
  if (handle_ != 0) orders_.closeCom(handle_);
}

bool PlcLink::close() {
  if (handle_ == 0) return true;  // never opened: nothing to close
  const int result = orders_.closeCom(handle_);
  handle_ = 0;
  lock_.unlock();
  return result != 0;
}

}  // namespace orvane
