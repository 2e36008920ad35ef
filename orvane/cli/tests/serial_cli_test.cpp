// orvane-cli --serial COMn: the program itself against plc-sim on a
// pseudo-terminal, with Wirelet found beside it, and without Wirelet.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <nlohmann/json.hpp>

#include "orvane/cli/cli_options.h"
#include "orvane/serial/tests/plc_sim_line.h"
#include "platform/udp_socket.h"
#include "test_support/temp_dir.h"

namespace orvane::cli {
namespace {

using orvane::testing::PlcSimLine;

constexpr int kPort = 12;
const std::string kCli = std::string(TRAX_BIN_DIR) + "/orvane-cli";

const char* const kTwoModules = R"({"plc": {"family": "z", "text": "VT-PLC I/O Base", "modules": [
  {"group": 0, "slot": 0, "mac": "00:1A:2B:3C:4D:01", "text": "TRAX ETHERNET MODULE 1.05",
   "ip": "192.168.1.5", "mask": "255.255.255.0", "gateway": "192.168.1.1", "station": 12},
  {"group": 0, "slot": 1, "mac": "00:1A:2B:3C:4D:02", "text": "SECOND", "station": 3}]}})";

struct Run {
  int status = -1;
  std::string out, err;
};

// Runs a program with its standard output and standard error kept apart.
Run run(const std::string& program, const std::string& args) {
  test_support::TempDir dir;
  const auto errFile = dir.path() / "err.txt";
  const std::string command = program + " " + args + " 2>" + errFile.string();
  Run result;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(errFile);
  result.err.assign(std::istreambuf_iterator<char>(in), {});
  return result;
}

class SerialCliTest : public ::testing::Test {
 protected:
  SerialCliTest() { std::ofstream(ini) << "[App]\r\nPortCom=5\r\n"; }
  std::string withConfig(const std::string& rest) const { return "--config " + ini.string() + " " + rest; }

  test_support::TempDir dir;
  std::filesystem::path ini = dir.path() / "Lumen_.ini";
};

TEST(SerialCliOptions, SerialPortOption) {
  EXPECT_EQ(parseCommandLine({"--serial", "COM3", "scan"}).options.serialPort, 3);
  EXPECT_EQ(parseCommandLine({"--serial", "com12", "scan"}).options.serialPort, 12);
  for (const char* bad : {"3", "COM", "COM0", "COM-1", "COM3x", "PORT3", "COM99999999999"})
    EXPECT_FALSE(parseCommandLine({"--serial", bad, "scan"}).error.empty()) << bad;
  EXPECT_FALSE(parseCommandLine({"--serial"}).error.empty());
}

// A pseudo-terminal mapped to COM13 whose far end the test reads, held open
// at both ends so that nothing written to it is lost.
class WatchedLine {
 public:
  WatchedLine() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    const char* path = ::ptsname(master_);
    slave_ = ::open(path, O_RDWR | O_NOCTTY);
    ::setenv("TRAX_COM13", path, 1);
  }
  ~WatchedLine() {
    ::unsetenv("TRAX_COM13");
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }
  bool ready() const { return slave_ >= 0; }
  // What reached the far end so far.
  std::string received() const {
    std::string bytes;
    char buffer[256];
    for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;)
      bytes.append(buffer, static_cast<std::size_t>(n));
    return bytes;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
};

TEST_F(SerialCliTest, NetworkOnlyCommandsAreRefusedOnTheSerialRouteBeforeAnythingIsSent) {
  platform::UdpSocket listener;  // the configured destination and --target
  ASSERT_TRUE(listener.open() && listener.bind({0x7F000001, 0}) && listener.setReceiveTimeout(1));
  const auto target = listener.localEndpoint()->text();
  std::ofstream(ini) << "[App]\r\nBroadcastAddress=127.0.0.1\r\nBroadcastPort="
                     << listener.localEndpoint()->port << "\r\nFirmwareFileName=fw.bin\r\n";
  std::ofstream(dir.path() / "fw.bin") << "firmware";
  std::ofstream(dir.path() / "peers.json") << R"([{"device": 1, "kind": "TRAX", "ip": "192.168.10.12"}])";
  WatchedLine line;
  ASSERT_TRUE(line.ready());
  const std::string mac = " 00-1A-2B-3C-4D-01";
  const std::vector<std::string> commands{
      "advanced" + mac, "advanced" + mac + " --master-timeout 500", "peers" + mac,
      "peers" + mac + " --set " + (dir.path() / "peers.json").string(), "upgrade" + mac + " --yes",
      "upgrade" + mac + " " + (dir.path() / "fw.bin").string() + " --yes"};
  for (const auto& command : commands) {
    SCOPED_TRACE(command);
    const auto result =
        run("echo y |", kCli + " --target " + target + " " + withConfig("--serial COM13 " + command));
    EXPECT_EQ(result.status, kExitUsage);
    EXPECT_NE(result.err.find("串口方式 (--serial COM13) 下不能使用此命令"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    std::uint8_t datagram[512];
    EXPECT_LT(listener.receive(datagram, sizeof datagram), 0) << "a datagram was sent";
    EXPECT_EQ(line.received(), "");
  }
}

TEST_F(SerialCliTest, ScanPrintsTheRowsOfTheSerialList) {
  PlcSimLine plc(kPort, kTwoModules);
  ASSERT_TRUE(plc.ready());
  const auto text = run(kCli, withConfig("--serial COM12 scan"));
  EXPECT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out,
            "00.1A.2B.3C.4D.01\tP-TRAX100\t192.168.01.05\t12\tTRAX ETHERNET MODULE\t\t----正常----\tV1.05\n"
            "00.1A.2B.3C.4D.02\tP-TRAX100\t00.00.00.00\t3\tSECOND\t\t----正常----\tV0.00\n");
  const auto json = run(kCli, withConfig("--serial COM12 scan --json"));
  ASSERT_EQ(json.status, 0) << json.err;
  const auto modules = nlohmann::json::parse(json.out);
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(modules[0]["version"], "V1.05");
  EXPECT_EQ(modules[0]["ip"], "192.168.1.5");
  EXPECT_EQ(modules[1]["moduleId"], 3);
}

TEST_F(SerialCliTest, AnEmptySlotTableIsAScanWithANote) {
  PlcSimLine plc(kPort, R"({"plc": {"family": "z", "text": "VT-PLC I/O Base"}})");
  ASSERT_TRUE(plc.ready());
  const auto result = run(kCli, withConfig("--serial COM12 scan"));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "没有模块：COM12 上的PLC的槽位表中没有以太网模块\n");
}

TEST_F(SerialCliTest, FailedModelCheckExitsWithItsText) {
  PlcSimLine plc(kPort, R"({"plc": {"family": "A", "text": "VT-PLC I/O Base"}})");
  ASSERT_TRUE(plc.ready());
  const auto result = run(kCli, withConfig("--serial COM12 scan"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "本软件仅支持VT系列PLC！\n\tA\n");
}

TEST_F(SerialCliTest, WithoutWireletTheSerialRouteRefuses) {
  // The program alone in a directory: neither the search path nor the
  // program directory holds the library.
  const auto alone = dir.path() / "orvane-cli";
  std::filesystem::copy_file(kCli, alone);
  const auto result = run(alone.string(), withConfig("--serial COM12 scan"));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "没有找到libWirelet.so\nError Code: 2\n");
  EXPECT_EQ(result.out, "");
}

// The two rows' IP and ID columns after a fresh serial scan.
std::string ipAndId(const std::string& scanOutput) {
  std::string result;
  std::istringstream lines(scanOutput);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream cells(line);
    std::string mac, model, ip, id;
    std::getline(cells, mac, '\t');
    std::getline(cells, model, '\t');
    std::getline(cells, ip, '\t');
    std::getline(cells, id, '\t');
    result += ip + " " + id + ";";
  }
  return result;
}

TEST_F(SerialCliTest, BasicWritesThroughThePlcWithTheSerialDialogsChecks) {
  PlcSimLine plc(kPort, kTwoModules);
  ASSERT_TRUE(plc.ready());
  const auto refused = run(kCli, withConfig("--serial COM12 basic 00-1A-2B-3C-4D-01 --id 91"));
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("模块ID号超出范围(0～90)!"), std::string::npos) << refused.err;
  const auto shown = run(kCli, withConfig("--serial COM12 basic 00-1A-2B-3C-4D-01"));
  EXPECT_EQ(shown.status, 0) << shown.err;  // no changes: only shown
  const auto written =
      run(kCli, withConfig("--serial COM12 basic 00-1A-2B-3C-4D-02 --ip 10.1.2.3 --mask 255.0.0.0 --id 7"));
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(ipAndId(run(kCli, withConfig("--serial COM12 scan")).out),
            "192.168.01.05 12;10.01.02.03 7;");
  const auto missing = run(kCli, withConfig("--serial COM12 basic 00-1A-2B-3C-4D-09 --id 1"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "未找到模块: 00.1A.2B.3C.4D.09\n");
}

TEST_F(SerialCliTest, BasicWritesBackTheAddressesInUseThatWereNotGiven) {
  PlcSimLine plc(kPort, kTwoModules);
  ASSERT_TRUE(plc.ready());
  const std::string basic = "--serial COM12 basic 00-1A-2B-3C-4D-01 ";
  for (const char* refused : {"--name X", "--description X", "--dhcp"})
    EXPECT_EQ(run(kCli, withConfig(basic + refused)).status, kExitUsage) << refused;
  const auto written = run(kCli, withConfig(basic + "--ip 192.168.1.77"));
  ASSERT_EQ(written.status, 0) << written.err;
  // Read back from the PLC's word area by a run of its own.
  const auto module = nlohmann::json::parse(run(kCli, withConfig(basic + "--json")).out);
  EXPECT_EQ(module["currentIp"], "192.168.1.77");
  EXPECT_EQ(module["currentMask"], "255.255.255.0");
  EXPECT_EQ(module["currentGateway"], "192.168.1.1");
  EXPECT_EQ(module["moduleId"], 12);
}

TEST_F(SerialCliTest, RestoreAsksThenWritesTheFactoryAddresses) {
  PlcSimLine plc(kPort, kTwoModules);
  ASSERT_TRUE(plc.ready());
  const auto declined = run("echo n |", kCli + " " + withConfig("--serial COM12 restore 00-1A-2B-3C-4D-01"));
  EXPECT_EQ(declined.status, kExitCancelled);
  const auto restored = run(kCli, withConfig("--serial COM12 restore 00-1A-2B-3C-4D-01 --yes"));
  EXPECT_EQ(restored.status, 0) << restored.err;
  EXPECT_EQ(ipAndId(run(kCli, withConfig("--serial COM12 scan")).out), "192.168.01.01 1;00.00.00.00 3;");
}

TEST_F(SerialCliTest, RestoreAnsweredWithAStatusCodeFails) {
  PlcSimLine plc(kPort, R"({"plc": {"family": "z", "text": "I/O Base", "modules": [
      {"group": 0, "slot": 0, "mac": "00:00:00:00:00:01", "answer": 3}]}})");
  ASSERT_TRUE(plc.ready());
  const auto result = run(kCli, withConfig("--serial COM12 restore 00-00-00-00-00-01 --yes"));
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("恢复出厂值失败！"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("写模块参数到PLC成功！\n但IP冲突(致命)3"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace orvane::cli
