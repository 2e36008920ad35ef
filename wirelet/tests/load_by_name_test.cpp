#include <gtest/gtest.h>
#include <sys/wait.h>

#include "test_support/child_process.h"
#include "wirelet/tests/plc_sim_process.h"

namespace {

// A plain C program that knows nothing but the export names reads the PLC.
TEST(WireletByName, PlainCProgramReadsPlcMemory) {
  wirelet_test::PlcSimProcess plc(9, {}, R"({"bytes": [{"address": 1089, "text": "I/O Base"}]})");
  ASSERT_TRUE(plc.ready());
  test_support::ChildProcess program(LOAD_BY_NAME, {WIRELET_LIBRARY, "9", "1089", "9"});
  EXPECT_EQ(program.waitForLine("result: "), "6");
  EXPECT_EQ(program.waitForLine("data: "), "49 2F 4F 20 42 61 73 65 00");
  EXPECT_EQ(program.waitForLine("close: "), "1");
  EXPECT_FALSE(program.readLine());
  const int status = program.stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
