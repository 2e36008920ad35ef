#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/com_map.h"
#include "platform/gbk.h"
#include "platform/udp_socket.h"

namespace {

TEST(Gbk, RoundTripsChineseText) {
  const std::string utf8 = "模块名称 ABC";
  const std::string gbk = platform::utf8ToGbk(utf8);
  EXPECT_EQ(gbk.size(), 4u * 2 + 4);
  EXPECT_EQ(platform::gbkToUtf8(gbk), utf8);
}

TEST(Gbk, SafePrefixNeverSplitsADoubleByteCharacter) {
  const std::string gbk = platform::utf8ToGbk("a模块");  // 1 + 2 + 2 bytes
  EXPECT_EQ(platform::gbkSafePrefixLength(gbk, 5), 5u);
  EXPECT_EQ(platform::gbkSafePrefixLength(gbk, 4), 3u);
  EXPECT_EQ(platform::gbkSafePrefixLength(gbk, 2), 1u);
  EXPECT_EQ(platform::gbkSafePrefixLength(gbk, 0), 0u);
}

TEST(ComMap, MapsFamiliesAndHonoursTheEnvironment) {
  EXPECT_EQ(platform::comDevicePath(1), "/dev/ttyS0");
  EXPECT_EQ(platform::comDevicePath(32), "/dev/ttyS31");
  EXPECT_EQ(platform::comDevicePath(33), "/dev/ttyUSB0");
  EXPECT_EQ(platform::comDevicePath(65), "/dev/ttyACM0");
  EXPECT_EQ(platform::comDevicePath(97), "");
  EXPECT_EQ(platform::comDevicePath(0), "");
  ::setenv("TRAX_COM97", "/dev/pts/77", 1);
  EXPECT_EQ(platform::comDevicePath(97), "/dev/pts/77");
  const auto ports = platform::availableComPorts();
  EXPECT_NE(std::find(ports.begin(), ports.end(), 97), ports.end());
  ::unsetenv("TRAX_COM97");
}

TEST(Endpoint, ParsesHostAndPort) {
  EXPECT_EQ(platform::parseEndpoint("127.0.0.1:58580"), (platform::Endpoint{0x7F000001, 58580}));
  EXPECT_EQ(platform::parseEndpoint("10.1.2.3", 7), (platform::Endpoint{0x0A010203, 7}));
  for (const char* bad : {"1.2.3", "1.2.3.4:", "1.2.3.256:1", "1.2.3.4:70000", "host:1", ""})
    EXPECT_FALSE(platform::parseEndpoint(bad)) << bad;
}

TEST(UdpSocket, TimesOutAndRefusesOverlongDatagrams) {
  platform::UdpSocket server, client;
  ASSERT_TRUE(server.open());
  ASSERT_TRUE(server.bind({0x7F000001, 0}));
  ASSERT_TRUE(client.open());
  ASSERT_TRUE(client.setReceiveTimeout(20));
  std::uint8_t buffer[8];
  EXPECT_EQ(client.receive(buffer, sizeof buffer), -1);
  EXPECT_TRUE(client.lastReceiveTimedOut());

  const auto to = *server.localEndpoint();
  const std::uint8_t longer[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  ASSERT_TRUE(client.sendTo(to, longer, 8));
  ASSERT_TRUE(client.sendTo(to, longer, 9));
  platform::Endpoint from;
  EXPECT_EQ(server.receive(buffer, sizeof buffer, &from), 8);
  EXPECT_EQ(from.port, client.localEndpoint()->port);
  EXPECT_EQ(server.receive(buffer, sizeof buffer), -1);
  EXPECT_FALSE(server.lastReceiveTimedOut());
}

}  // namespace
