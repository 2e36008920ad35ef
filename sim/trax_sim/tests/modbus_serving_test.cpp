// trax-sim serving Modbus TCP, seen from a libmodbus client: the four tables,
// the standard exceptions, the per-module faults, and the demo's modules.
#include <gtest/gtest.h>
#include <modbus.h>

#include <cerrno>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim_process.h"
#include "simulator.h"

namespace trax_sim::test {
namespace {

const std::string kDemo = std::string(TRAX_SOURCE_DIR) + "/sim/trax_sim/scenarios/demo.json";

const std::string kServing = R"({"mac":"00-11-22-33-44-55","modbus":{"address":"127.0.0.2","tableSize":100,
  "coils":[{"start":0,"values":[1,0,true]}],"discreteInputs":[{"start":8,"values":[1,1]}],
  "holdingRegisters":[{"start":10,"values":[1,2,"0x1234"]}],"inputRegisters":[{"values":[7,65535]}]}})";
const std::string kFaulty = R"({"mac":"00-11-22-33-44-66","modbus":{"address":"127.0.0.3"}})";

using Client = std::unique_ptr<modbus_t, void (*)(modbus_t*)>;

Client connect(const platform::Endpoint& at, int timeoutMs = 5000) {
  const std::string host = at.text().substr(0, at.text().find(':'));
  Client c(modbus_new_tcp(host.c_str(), at.port), [](modbus_t* m) {
             modbus_close(m);
             modbus_free(m);
           });
  modbus_set_response_timeout(c.get(), timeoutMs / 1000, (timeoutMs % 1000) * 1000);
  EXPECT_EQ(modbus_connect(c.get()), 0) << at.text();
  return c;
}

// The "modbus-listening ADDRESS:PORT MAC" ready lines, by MAC.
std::map<std::string, platform::Endpoint> served(RunningSim& sim, int count) {
  std::map<std::string, platform::Endpoint> byMac;
  for (int i = 0; i < count; ++i) {
    const auto line = sim.process->waitForLine("modbus-listening ", 1);
    if (!line) break;
    const auto space = line->find(' ');
    byMac[line->substr(space + 1)] = *platform::parseEndpoint(line->substr(0, space));
  }
  EXPECT_EQ(static_cast<int>(byMac.size()), count);
  return byMac;
}

// The errno of a failed libmodbus call, 0 when it succeeded.
int failure(int result) { return result < 0 ? errno : 0; }

// One raw request PDU and the reply PDU, as hex.
std::string rawExchange(modbus_t* c, const Bytes& pdu) {
  Bytes request{1};
  request.insert(request.end(), pdu.begin(), pdu.end());
  if (modbus_send_raw_request(c, request.data(), static_cast<int>(request.size())) < 0) return "send failed";
  std::uint8_t reply[MODBUS_TCP_MAX_ADU_LENGTH];
  const int n = modbus_receive_confirmation(c, reply);
  if (n < 8) return "no reply";
  return hexText(std::span<const std::uint8_t>(reply + 7, static_cast<std::size_t>(n - 7)));
}

TEST(TraxSimModbus, ServesAndKeepsEachTableAsADeviceWould) {
  auto sim = startSim({"--module", kServing});
  const auto at = served(sim, 1)["00-11-22-33-44-55"];
  ASSERT_EQ(at.address, 0x7F000002u);
  auto c = connect(at);

  std::uint8_t bits[3];
  std::uint16_t words[3];
  ASSERT_EQ(modbus_read_bits(c.get(), 0, 3, bits), 3);
  EXPECT_EQ((std::vector<int>{bits[0], bits[1], bits[2]}), (std::vector<int>{1, 0, 1}));
  ASSERT_EQ(modbus_read_input_bits(c.get(), 8, 3, bits), 3);
  EXPECT_EQ((std::vector<int>{bits[0], bits[1], bits[2]}), (std::vector<int>{1, 1, 0}));
  ASSERT_EQ(modbus_read_registers(c.get(), 10, 3, words), 3);
  EXPECT_EQ((std::vector<int>{words[0], words[1], words[2]}), (std::vector<int>{1, 2, 0x1234}));
  ASSERT_EQ(modbus_read_input_registers(c.get(), 0, 2, words), 2);
  EXPECT_EQ((std::vector<int>{words[0], words[1]}), (std::vector<int>{7, 65535}));

  const std::uint8_t written[10] = {1, 1, 0, 1, 0, 0, 0, 1, 1, 0};
  const std::uint16_t registers[3] = {11, 22, 33};
  ASSERT_EQ(modbus_write_bit(c.get(), 1, 1), 1);
  ASSERT_EQ(modbus_write_register(c.get(), 99, 777), 1);
  ASSERT_EQ(modbus_write_bits(c.get(), 20, 10, written), 10);
  ASSERT_EQ(modbus_write_registers(c.get(), 30, 3, registers), 3);

  // What was written stays for the run, for every client.
  auto other = connect(at);
  std::uint8_t readBits[10];
  std::uint16_t readWords[3];
  ASSERT_EQ(modbus_read_bits(other.get(), 0, 2, readBits), 2);
  EXPECT_EQ(readBits[1], 1);
  ASSERT_EQ(modbus_read_bits(other.get(), 20, 10, readBits), 10);
  EXPECT_EQ(std::vector<std::uint8_t>(readBits, readBits + 10), std::vector<std::uint8_t>(written, written + 10));
  ASSERT_EQ(modbus_read_registers(other.get(), 30, 3, readWords), 3);
  EXPECT_EQ(std::vector<std::uint16_t>(readWords, readWords + 3), std::vector<std::uint16_t>(registers, registers + 3));
  ASSERT_EQ(modbus_read_registers(other.get(), 99, 1, readWords), 1);
  EXPECT_EQ(readWords[0], 777);
}

TEST(TraxSimModbus, RefusesWithTheStandardExceptions) {
  struct Case {
    Bytes request;
    const char* reply;
  };
  const Case cases[] = {
      {{3, 0, 99, 0, 2}, "83 02"},                 // past the table's end (100 addresses)
      {{3, 0, 0, 0, 0}, "83 03"},                  // no registers
      {{4, 0, 0, 0, 126}, "84 03"},                // more than 125 registers
      {{1, 0, 0, 0x07, 0xD1}, "81 03"},            // more than 2000 coils
      {{2, 0, 100, 0, 1}, "82 02"},                // discrete input past the end
      {{5, 0, 0, 0x12, 0x34}, "85 03"},            // a coil is 0x0000 or 0xFF00
      {{6, 0, 100, 0, 1}, "86 02"},                // register past the end
      {{15, 0, 0, 0, 9, 1, 0xFF}, "8F 03"},        // 9 coils need 2 bytes
      {{16, 0, 0, 0, 2, 3, 0, 1, 0}, "90 03"},     // 2 registers need 4 bytes
      {{16, 0, 99, 0, 2, 4, 0, 1, 0, 2}, "90 02"},  // past the end
      {{7}, "87 01"},                              // not a function this device serves
      {{6, 0, 5, 0xAB, 0xCD}, "06 00 05 AB CD"},   // and a good one is echoed
  };
  auto sim = startSim({"--module", kServing});
  auto c = connect(served(sim, 1)["00-11-22-33-44-55"]);
  for (const auto& k : cases) EXPECT_EQ(rawExchange(c.get(), k.request), k.reply) << hexText(k.request);
}

TEST(TraxSimModbus, FaultsSilenceExceptionAndLateReplyPerModule) {
  auto sim = startSim({"--module", kServing, "--module", kFaulty,                     //
                       "--modbus-fault", "00-11-22-33-44-66:silent,codes=3",           //
                       "--modbus-fault", "00-11-22-33-44-66:exception,value=4,codes=4",  //
                       "--modbus-fault", "00-11-22-33-44-66:delay,ms=500,codes=1"});
  auto at = served(sim, 2);
  std::uint16_t words[1];
  std::uint8_t bits[1];

  auto silenced = connect(at["00-11-22-33-44-66"], 200);
  EXPECT_EQ(failure(modbus_read_registers(silenced.get(), 0, 1, words)), ETIMEDOUT);
  // A client left waiting holds up nobody: another connection is served meanwhile.
  auto beside = connect(at["00-11-22-33-44-66"]);
  EXPECT_EQ(modbus_read_input_bits(beside.get(), 0, 1, bits), 1);
  EXPECT_EQ(failure(modbus_read_input_registers(beside.get(), 0, 1, words)), EMBXSFAIL);
  // The other module has no faults.
  auto healthy = connect(at["00-11-22-33-44-55"]);
  EXPECT_EQ(modbus_read_registers(healthy.get(), 0, 1, words), 1);

  auto impatient = connect(at["00-11-22-33-44-66"], 100);
  EXPECT_EQ(failure(modbus_read_bits(impatient.get(), 0, 1, bits)), ETIMEDOUT);  // not within 100 ms
  EXPECT_EQ(modbus_read_bits(beside.get(), 0, 1, bits), 1);  // but it does come
}

TEST(TraxSimModbus, DemoModulesServeAndTheScanTellsWhere) {
  auto sim = startSim({"--scenario", kDemo});
  auto at = served(sim, 4);
  const auto first = at["00-11-22-33-44-55"];
  EXPECT_EQ(first.address, 0x7F00000Bu);  // 127.0.0.11, its address in use
  auto c = connect(first);
  std::uint16_t words[10];
  ASSERT_EQ(modbus_read_registers(c.get(), 1024, 10, words), 10);
  EXPECT_EQ(words[8], 0x1234);

  ASSERT_TRUE(sim.scanPort);
  Peer peer;
  peer.send(*sim.scanPort, Bytes(std::begin(kScanRequest), std::end(kScanRequest)));
  std::vector<std::string> where;
  for (const auto& r : peer.receiveAll())
    if (r.size() == 32 && r[9] == 0x55) where.push_back(hexText(std::span(r).subspan(19, 6)));
  const auto port = hexText(Bytes{static_cast<std::uint8_t>(first.port), static_cast<std::uint8_t>(first.port >> 8)});
  EXPECT_EQ(where, std::vector<std::string>{"7F 00 00 0B " + port});
}

}  // namespace
}  // namespace trax_sim::test
