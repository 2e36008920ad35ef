#include <gtest/gtest.h>
#include <modbus/modbus.h>

#include <cerrno>

#include "tessor/core/error_text.h"
#include "tessor/quorra/quorra_errors.h"

namespace tessor {
namespace {

TEST(TessorErrorText, KnownCodesAndUnknownOnes) {
  const std::pair<std::uint32_t, const char*> rows[] = {
      {1001, "PLC连接时间溢出"},   {1015, "%Device% 未找到设备"}, {1499, "PLC响应错误代码%0xhh%"},
      {1705, "协议不匹配"},        {1022, "串口设置错误"},       {1020, "打开"},
      {0, "未知错误"},             {1000, "未知错误"},           {1023, "未知错误"},
      {1706, "未知错误"},          {65535, "未知错误"},          {4242, "未知错误"},
  };
  for (const auto& [code, text] : rows) EXPECT_EQ(ErrorText(code), text) << code;
}

// Every failure Quorra can meet lands on a code whose text the user can read.
TEST(TessorQuorraErrorMapping, ErrnoAndExceptionsToErrorTextCodes) {
  const std::tuple<int, std::uint16_t, bool, bool> rows[] = {
      // errno, code, exception reply, connection loss
      {ETIMEDOUT, 1001, false, false},
      {ECONNREFUSED, 1015, false, false},
      {EHOSTUNREACH, 1015, false, false},
      {ECONNRESET, 1016, false, true},
      {EPIPE, 1016, false, true},
      {EMBBADDATA, 1016, false, false},
      {EMBMDATA, 1010, false, false},
      {EMBBADSLAVE, 1021, false, false},
      {EMBXILFUN, 1012, true, false},
      {EMBXILADD, 1017, true, false},
      {EMBXILVAL, 1010, true, false},
      {EMBXSFAIL, 1701, true, false},
      {EMBXACK, 1499, true, false},
      {EMBXSBUSY, 1499, true, false},
      {EMBXNACK, 1002, true, false},
      {EMBXMEMPAR, 1704, true, false},
      {EMBXGPATH, 1015, true, false},
      {EMBXGTAR, 1001, true, false},
      {EMBBADEXC, 1499, true, false},
      {MODBUS_ENOBASE, 1499, true, false},  // exception 0
      {MODBUS_ENOBASE + 9, 1499, true, false},
  };
  for (const auto& [err, code, exception, loss] : rows) {
    EXPECT_EQ(quorra::errorCodeOf(err), code) << err;
    EXPECT_EQ(quorra::isExceptionReply(err), exception) << err;
    EXPECT_EQ(quorra::isConnectionLoss(err), loss) << err;
    EXPECT_NE(ErrorText(code), "未知错误") << err;
  }
}

}  // namespace
}  // namespace tessor
