// Whatever the PLC sends after the request, the transaction ends within its
// time-outs and stays inside its buffers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "wirelet/order_requests.h"
#include "wirelet/run_order.h"
#include "wirelet/tests/fake_link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t expected = 7 + std::size_t{data[0]} * 4;
  const std::size_t chunk = 1 + data[1] % 64;
  const std::vector<std::uint8_t> stream(data + 2, data + size);
  const std::vector<std::uint8_t> enquiry{0x4B, 0x21, 0x05};
  wirelet_test::FakeLink link([&](wirelet_test::FakeLink& l, const std::vector<std::uint8_t>& w) {
    if (w == enquiry) {
      l.deliver({0x4B, 0x21, 0x06}, 5);
    } else if (!w.empty() && w[0] == 0x01) {
      for (std::size_t at = 0, ms = 0; at < stream.size(); at += chunk, ms += 15)
        l.deliver({stream.begin() + at, stream.begin() + std::min(stream.size(), at + chunk)},
                  static_cast<unsigned>(ms));
    }
  });
  const auto request = wirelet::orders::order48();
  std::vector<std::uint8_t> reply(std::max<std::size_t>(expected, 777));
  wirelet::runOrder(link, request.bytes(), expected, reply.data());
  return 0;
}
