#include "tessor/core/error_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tessor {

namespace {
// Placeholders such as %Device% are part of the texts and shown as they are.
constexpr std::array<std::pair<std::uint32_t, const char*>, 30> kTexts{{
    {1001, "PLC连接时间溢出"},
    {1002, "PLC响应NAK"},
    {1003, "PLC响应EOT"},
    {1004, "未发现STX"},
    {1005, "未发现ETX或ETB"},
    {1006, "LRC校验错误"},
    {1007, "CRC校验错误"},
    {1008, "地址不匹配"},
    {1009, "PLC响应的任务号错误"},
    {1010, "数据长度不匹配"},
    {1011, "任务号无效"},
    {1012, "发送到PLC的命令无效"},
    {1013, "PLC响应ENQ"},
    {1014, "传送ID不匹配"},
    {1015, "%Device% 未找到设备"},
    {1016, "数据字节通讯错误"},
    {1017, "地址溢出"},
    {1018, "触摸屏连接时间溢出"},
    {1019, "硬件校验错误"},
    {1020, "打开"},
    {1021, "PLC局号不匹配"},
    {1022, "串口设置错误"},
    {1499, "PLC响应错误代码%0xhh%"},
    {1500, "无法写串口"},
    {1700, "缓存不足"},
    {1701, "无法访问PLC存储器"},
    {1702, "无法使用不同的任务号访问"},
    {1703, "对PLC的只读区进行写请求"},
    {1704, "设备存储损坏"},
    {1705, "协议不匹配"},
}};
}  // namespace

std::string ErrorText(std::uint32_t code) {
  const auto it = std::find_if(kTexts.begin(), kTexts.end(),
                               [code](const auto& entry) { return entry.first == code; });
  return it == kTexts.end() ? "未知错误" : it->second;
}

}  // namespace tessor
