// tessor-cli's commands in-process against the pymodbus peer on 127.0.0.1 (and
// trax-sim for the scan): what reaches the server, what is printed, and the
// exit status.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "tessor/cli/commands.h"
#include "tessor/tests/modbus_peer.h"
#include "test_support/child_process.h"
#include "test_support/temp_dir.h"

namespace tessor::cli {
namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

std::vector<std::string> words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::vector<std::string> lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

class TessorCliTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(peer.ready()) << "the pymodbus peer did not start"; }
  // The command line after the connection options: the peer, no settings file.
  CliRun run(const std::string& command) {
    std::vector<std::string> args = {"--config", "/nonexistent/Config.ini", "--host", "127.0.0.1",
                                     "--port", std::to_string(peer.port()), "--timeout", "5"};
    for (auto& w : words(command)) args.push_back(w);
    std::ostringstream out, err;
    const int status = runCli(args, {out, err});
    return {status, out.str(), err.str()};
  }
  testing::ModbusPeer peer;
};

TEST_F(TessorCliTest, EachRegisterTypeGoesOutAsItsFunctionAtItsAddress) {
  struct Row {
    const char* command;
    const char* wire;
  };
  const Row rows[] = {
      {"read R2000 10", "fc=3 unit=0 addr=1024 count=10"},
      {"read R41237 --function 4", "fc=4 unit=0 addr=17055 count=1"},
      {"read GI3777", "fc=2 unit=0 addr=2047 count=1"},
      {"read I0 3", "fc=2 unit=0 addr=2048 count=3"},
      {"read SP0", "fc=2 unit=0 addr=3072 count=1"},
      {"read GQ0 16", "fc=1 unit=0 addr=0 count=16"},
      {"read Q0", "fc=1 unit=0 addr=2048 count=1"},
      {"read M0", "fc=1 unit=0 addr=3072 count=1"},
      {"read S0", "fc=1 unit=0 addr=5120 count=1"},
      {"read T0", "fc=1 unit=0 addr=6144 count=1"},
      {"read C377", "fc=1 unit=0 addr=6655 count=1"},
      {"write R2000 7", "fc=6 unit=0 addr=1024 count=1 values=7"},
      {"write R2000 1 2 3", "fc=16 unit=0 addr=1024 count=3 values=1,2,3"},
      {"write C0 1", "fc=5 unit=0 addr=6400 count=1 values=1"},
      {"write Q0 1 0 1", "fc=15 unit=0 addr=2048 count=3 values=1,0,1"},
      {"write GQ10 1 --format hex", "fc=5 unit=0 addr=8 count=1 values=1"},
      {"write R2000 ab 10 --format hex", "fc=16 unit=0 addr=1024 count=2 values=171,16"},
      {"write R2000 17 --format oct", "fc=6 unit=0 addr=1024 count=1 values=15"},
  };
  for (const auto& row : rows) {
    peer.clear();
    const CliRun r = run(row.command);
    EXPECT_EQ(r.status, 0) << row.command << ": " << r.err;
    EXPECT_EQ(peer.log(), std::vector<std::string>{row.wire}) << row.command;
  }
}

TEST_F(TessorCliTest, ValuesCarryOctalNamesInTheChosenFormat) {
  peer.command("set hr 7 255 8 65535");
  peer.command("set co 2048 1 0 1");
  struct Row {
    const char* command;
    const char* out;
  };
  const Row rows[] = {
      {"read R7 3", "R7 255\nR10 8\nR11 65535\n"},
      {"read R7 3 --format oct", "R7 377\nR10 10\nR11 177777\n"},
      {"read R7 3 --format hex", "R7 FF\nR10 8\nR11 FFFF\n"},
      {"read R7 3 --json", "{\"function\":3,\"start\":\"R7\",\"values\":[255,8,65535]}\n"},
      {"read R7 --type s16 --format hex", "R7 FF\n"},
      {"read R11 --type s16", "R11 -1\n"},
      {"read Q0 3", "Q0 1\nQ1 0\nQ2 1\n"},
      {"read Q0 3 --json", "{\"function\":1,\"start\":\"Q0\",\"values\":[1,0,1]}\n"},
  };
  for (const auto& row : rows) {
    const CliRun r = run(row.command);
    EXPECT_EQ(r.status, 0) << row.command << ": " << r.err;
    EXPECT_EQ(r.out, row.out) << row.command;
  }
}

TEST_F(TessorCliTest, WideValuesTakeTwoRegistersInEitherWordOrder) {
  struct Row {
    const char* type;
    const char* value;
    const char* order;
    const char* registers;  // R2000 R2001 as the server holds them
    const char* shown;
  };
  const Row rows[] = {
      {"u32", "305419896", "high-first", "4660 22136", "R2000 305419896\n"},
      {"u32", "305419896", "low-first", "22136 4660", "R2000 305419896\n"},
      {"s32", "-2", "high-first", "65535 65534", "R2000 -2\n"},
      {"s32", "-2", "low-first", "65534 65535", "R2000 -2\n"},
      {"f32", "-1.5", "high-first", "49088 0", "R2000 -1.5\n"},
      {"f32", "-1.5", "low-first", "0 49088", "R2000 -1.5\n"},
  };
  for (const auto& row : rows) {
    const std::string options = std::string(" --type ") + row.type + " --word-order " + row.order;
    EXPECT_EQ(run(std::string("write R2000 ") + row.value + options).status, 0) << row.type;
    EXPECT_EQ(peer.command("get hr 1024 2"), std::vector<std::string>{row.registers}) << row.type << row.order;
    EXPECT_EQ(run("read R2000" + options).out, row.shown) << row.type << row.order;
  }
  peer.clear();
  run("read R2000 2 --type u32 --json");
  EXPECT_EQ(peer.log(), std::vector<std::string>{"fc=3 unit=0 addr=1024 count=4"});
  EXPECT_EQ(lines(run("read R2000 2 --type u32").out)[1].substr(0, 6), "R2002 ");
}

TEST_F(TessorCliTest, RefusedInputExitsTwoAndSendsNothing) {
  struct Row {
    const char* command;
    const char* text;  // part of the refusal on standard error
  };
  const Row rows[] = {
      {"read R2000 200", "寄存器长度错误！"},
      {"read R2000 1x", "无法识别的寄存器长度"},
      {"read R8", "起始地址错误！"},
      {"read r2000", "起始地址错误！"},
      {"read X17", "起始地址错误！"},
      {"read R41240", "3.起始地址必须在范围(0 - 41237)内"},
      {"read R", "无法识别的寄存器"},
      {"read GI0 --function 3", "支持功能代码: 2"},
      {"read R0 --function 6", "只可读取"},
      {"write GI0 1", "支持功能代码: 2"},
      {"write R2000 1 x", "表格数据(1,2)错误！"},
      {"write R2000 65536", "3.数据必须在范围(0 - 65535)[十进制]内"},
      {"write Q0 2", "表格数据为2进制数"},
      {"write R2000 1.5 --type s32", "数值错误"},
      {"read Q0 --type u32", "只适用于字寄存器"},
      {"poll R2000 --cycles 0", "--cycles"},
  };
  for (const auto& row : rows) {
    const CliRun r = run(row.command);
    EXPECT_EQ(r.status, 2) << row.command;
    EXPECT_NE(r.err.find(row.text), std::string::npos) << row.command << ": " << r.err;
  }
  EXPECT_TRUE(peer.log().empty());
  EXPECT_EQ(peer.connections(), 0);
}

TEST_F(TessorCliTest, ExceptionsAndTimeOutsExitOneWithCodeAndText) {
  peer.command("exception 2");
  CliRun r = run("read R2000 --json");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("错误 1017: 地址溢出"), std::string::npos) << r.err;
  EXPECT_EQ(nlohmann::json::parse(r.out)["error"],
            (nlohmann::json{{"code", 1017}, {"text", "地址溢出"}}));
  r = run("write R2000 1 2");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("错误 1017: 地址溢出"), std::string::npos) << r.err;
  peer.command("exception off");
  peer.command("mode silent");
  std::vector<std::string> args = {"--config", "/nonexistent/Config.ini", "--host", "127.0.0.1", "--port",
                                   std::to_string(peer.port()), "--timeout", "1", "read", "R2000"};
  std::ostringstream out, err;
  EXPECT_EQ(runCli(args, {out, err}), 1);
  EXPECT_NE(err.str().find("错误 1001: PLC连接时间溢出"), std::string::npos) << err.str();
}

TEST_F(TessorCliTest, PollPrintsOneRowPerCycleAndCountsThem) {
  peer.command("set hr 1024 5 6");
  peer.clear();
  CliRun r = run("poll R2000 2 --cycles 100 --csv");
  EXPECT_EQ(r.status, 0) << r.err;
  const auto rows = lines(r.out);
  ASSERT_EQ(rows.size(), 101u);
  EXPECT_EQ(rows[0], "time,R2000,R2001");
  EXPECT_EQ(rows[100].substr(rows[100].find(',')), ",5,6");
  EXPECT_EQ(r.err, "扫描次数 100,错误次数 0\n");
  EXPECT_EQ(peer.log().size(), 100u);

  r = run("poll R2000 2 --cycles 2 --json");
  const auto json = lines(r.out);
  ASSERT_EQ(json.size(), 2u);
  const auto second = nlohmann::json::parse(json[1]);
  EXPECT_EQ(second["scan"], 2);
  EXPECT_EQ(second["values"], (nlohmann::json{5, 6}));
  EXPECT_TRUE(second["time"].is_string());

  peer.command("exception 4");
  r = run("poll R2000 --cycles 3 --ignore-errors");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(lines(r.out).size(), 3u);
  EXPECT_EQ(r.err, "扫描次数 3,错误次数 3\n");
  r = run("poll R2000 --cycles 3");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("扫描次数 1,错误次数 0\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("错误 1701: 无法访问PLC存储器"), std::string::npos) << r.err;
}

TEST_F(TessorCliTest, ConfigIniSuppliesTheConnectionAndOptionsOverrideIt) {
  test_support::TempDir dir;
  const auto file = dir.path() / "Config.ini";
  std::ofstream(file) << "[MODBUSTCPIP]\r\nIP Address0=127\r\nIP Address1=0\r\nIP Address2=0\r\n"
                         "IP Address3=1\r\nStation=7\r\nPort=" << peer.port() << "\r\n";
  std::ostringstream out, err;
  EXPECT_EQ(runCli({"--config", file.string(), "read", "R0"}, {out, err}), 0) << err.str();
  EXPECT_EQ(runCli({"--config", file.string(), "--station", "9", "read", "R0"}, {out, err}), 0);
  EXPECT_EQ(peer.log(), (std::vector<std::string>{"fc=3 unit=7 addr=0 count=1", "fc=3 unit=9 addr=0 count=1"}));
  std::ofstream(file) << "[MODBUSTCPIP]\r\nPort=" << peer.port() << "\r\n";  // no address
  EXPECT_EQ(runCli({"--config", file.string(), "read", "R0"}, {out, err}), 2);
  EXPECT_NE(err.str().find("请输入IP地址!"), std::string::npos);
  EXPECT_EQ(peer.connections(), 2);
}

// The demo's first module serves Modbus TCP on 127.0.0.11 (here on a free port)
// and answers the scan; the wire log shows the function of each request.
TEST(TessorCliTraxSimTest, ReadsWritesAndFindsASimulatedModule) {
  test_support::ChildProcess sim(TRAX_BIN_DIR "/trax-sim",
                                 {"--listen", "127.0.0.1:0", "--scan-listen", "127.0.0.1:0", "--log", "--scenario",
                                  TRAX_SOURCE_DIR "/sim/trax_sim/scenarios/demo.json"});
  ASSERT_TRUE(sim.waitForLine("listening 127.0.0.1:"));
  const auto scanPort = sim.waitForLine("scan-listening 127.0.0.1:");
  const auto served = sim.waitForLine("modbus-listening 127.0.0.11:");
  ASSERT_TRUE(scanPort && served);
  const std::string port = served->substr(0, served->find(' '));
  const auto cli = [&](const std::vector<std::string>& command) {
    std::vector<std::string> args = {"--config", "/nonexistent/Config.ini", "--host", "127.0.0.11", "--port", port};
    args.insert(args.end(), command.begin(), command.end());
    std::ostringstream out, err;
    const int status = runCli(args, {out, err});
    return CliRun{status, out.str(), err.str()};
  };
  // The function code: byte 7 of the request, after the MBAP header.
  const auto function = [&] {
    const auto line = sim.waitForLine("modbus-rx ");
    return line ? line->substr(line->find(' ') + 1 + 7 * 3, 2) : "none";
  };
  const CliRun read = cli({"read", "R2000", "10", "--json"});
  EXPECT_EQ(read.out, "{\"function\":3,\"start\":\"R2000\",\"values\":[1,2,3,4,5,6,7,8,4660,65535]}\n");
  EXPECT_EQ(function(), "03");
  EXPECT_EQ(cli({"write", "R2000", "9", "8", "7"}).status, 0);
  EXPECT_EQ(function(), "10");
  EXPECT_EQ(cli({"write", "R2003", "6"}).status, 0);
  EXPECT_EQ(function(), "06");
  EXPECT_EQ(cli({"read", "R2000", "4"}).out, "R2000 9\nR2001 8\nR2002 7\nR2003 6\n");

  std::ostringstream out, err;
  const std::vector<std::string> scan = {"--config", "/nonexistent/Config.ini", "scan", "--target",
                                         "127.0.0.1:" + *scanPort};
  ASSERT_EQ(runCli(scan, {out, err}), 0) << err.str();
  EXPECT_NE(out.str().find("127.0.0.11 502\n"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace tessor::cli
