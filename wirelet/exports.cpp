// The library's exports: orders carried out over Tethra.
#include "wirelet/wirelet.h"

#include "wirelet/order_requests.h"
#include "wirelet/run_order.h"
#include "wirelet/tethra/tethra.h"
#include "wirelet/tethra/tethra_clock.h"

namespace wirelet {
namespace {

// The link of one order: Tethra calls on the caller's handle.
class TethraPort final : public LinkPort {
 public:
  explicit TethraPort(int handle) : handle_(handle) {}
  void flush() override { FlushCom(handle_); }
  void write(std::span<const std::uint8_t> bytes) override {
    WriteCom(handle_, bytes.data(), static_cast<int>(bytes.size()));
  }
  std::size_t waiting() override {
    const int n = ReadComNum(handle_);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  std::size_t read(std::uint8_t* buffer, std::size_t count) override {
    const int n = ReadCom(handle_, buffer, static_cast<int>(count));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  void armTimeOut(unsigned milliseconds) override { SetTimeOut(static_cast<int>(milliseconds)); }
  bool timedOut() override { return GetTimeOut() != 0; }
  void sleep(unsigned milliseconds) override { TethraSleep(milliseconds); }

 private:
  int handle_;
};

::OrderResult run(int handle, const OrderRequest& request, OrderReply reply) {
  TethraPort port(handle);
  return static_cast<::OrderResult>(carryOutOrder(port, request, reply));
}

}  // namespace
}  // namespace wirelet

using wirelet::run;
namespace orders = wirelet::orders;

extern "C" {

int OpenCom(int reserved, int port, int baud, int dataBits, int stopBits, int parity) {
  return OpenConnection(reserved, port, baud, dataBits, stopBits, parity);
}

int CloseCom(int handle) { return CloseConnection(handle); }

OrderResult Order00(int h, int value, int value2, OrderReply reply) {
  return run(h, orders::order00(value, value2), reply);
}
OrderResult Order01(int h, OrderReply reply) { return run(h, orders::order01(), reply); }
OrderResult Order10(int h, OrderReply reply) { return run(h, orders::order10(), reply); }
OrderResult Order20(int h, int address, OrderReply reply) {
  return run(h, orders::order20(address), reply);
}
OrderResult Order21(int h, int address, int count, OrderData data, OrderReply reply) {
  return run(h, orders::order21(address, count, data), reply);
}
OrderResult Order22(int h, int address, int word, OrderReply reply) {
  return run(h, orders::order22(address, word), reply);
}
OrderResult Order23(int h, int address, int count, OrderData data, OrderReply reply) {
  return run(h, orders::order23(address, count, data), reply);
}
OrderResult Order24(int h, int address, int count, OrderData data, OrderReply reply) {
  return run(h, orders::order24(address, count, data), reply);
}
OrderResult Order25(int h, int address, int word, OrderReply reply) {
  return run(h, orders::order25(address, word), reply);
}
OrderResult Order26(int h, int address, OrderReply reply) {
  return run(h, orders::order26(address), reply);
}
OrderResult OrderA6(int h, int address, OrderReply reply) {
  return run(h, orders::orderA6(address), reply);
}
OrderResult Order27(int h, OrderReply reply) { return run(h, orders::order27(), reply); }
OrderResult Order29(int h, int address, int word, OrderReply reply) {
  return run(h, orders::order29(address, word), reply);
}
OrderResult Order2A(int h, int address, int count, OrderReply reply) {
  return run(h, orders::order2A(address, count), reply);
}
OrderResult Order2B(int h, int address, int count, OrderData data, OrderReply reply) {
  return run(h, orders::order2B(address, count, data), reply);
}
OrderResult Order2C(int h, int address, OrderData data, OrderData data2, OrderReply reply) {
  return run(h, orders::order2C(address, data, data2), reply);
}
OrderResult Order40(int h, int address, int count, OrderReply reply) {
  return run(h, orders::order40(address, count), reply);
}
OrderResult OrderC0(int h, int address, int count, OrderReply reply) {
  return run(h, orders::orderC0(address, count), reply);
}
OrderResult Order41(int h, int address, int count, int word, OrderReply reply) {
  return run(h, orders::order41(address, count, word), reply);
}
OrderResult Order43(int h, int address, int address2, int word, OrderReply reply) {
  return run(h, orders::order43(address, address2, word), reply);
}
OrderResult Order44(int h, int address, OrderReply reply) {
  return run(h, orders::order44(address), reply);
}
OrderResult OrderC4(int h, int address, OrderReply reply) {
  return run(h, orders::orderC4(address), reply);
}
OrderResult Order45(int h, int address, OrderReply reply) {
  return run(h, orders::order45(address), reply);
}
OrderResult OrderC5(int h, int address, OrderReply reply) {
  return run(h, orders::orderC5(address), reply);
}
OrderResult Order46(int h, int address, int count, OrderData data, OrderReply reply) {
  return run(h, orders::order46(address, count, data), reply);
}
OrderResult Order48(int h, OrderReply reply) { return run(h, orders::order48(), reply); }
OrderResult Order49(int h, int address, int word, OrderReply reply) {
  return run(h, orders::order49(address, word), reply);
}
OrderResult Order50(int h, int address, int count16, OrderReply reply) {
  return run(h, orders::order50(address, count16), reply);
}
OrderResult Order51(int h, int address, int count16, OrderData data, OrderReply reply) {
  return run(h, orders::order51(address, count16, data), reply);
}
OrderResult Order61_00(int h, int value, OrderReply reply) {
  return run(h, orders::order61_00(value), reply);
}
OrderResult Order61_02(int h, int value, OrderReply reply) {
  return run(h, orders::order61_02(value), reply);
}
OrderResult Order61_12(int h, int value, int address32, int count16, OrderReply reply) {
  return run(h, orders::order61_12(value, address32, count16), reply);
}
OrderResult Order61_13(int h, int value, int address32, int count16, OrderData data,
                       OrderReply reply) {
  return run(h, orders::order61_13(value, address32, count16, data), reply);
}
OrderResult Order70(int h, int value, int count, int address, OrderReply reply) {
  return run(h, orders::order70(value, count, address), reply);
}
OrderResult Order71(int h, int value, int count, int address, OrderData data, OrderReply reply) {
  return run(h, orders::order71(value, count, address, data), reply);
}

}  // extern "C"
