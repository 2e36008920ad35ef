// orvane-cli image: the image check's verdict on a file, with the kind,
// version and check byte of a valid image. A file that cannot be read at all
// is a wrong command line (exit 2) and says why, not that it is invalid.
#include <cstdio>
#include <ostream>

#include "orvane/firmware/firmware_image.h"
#include "orvane/firmware/upgrade_confirmation.h"
#include "file_reading.h"
#include "firmware_commands.h"

namespace orvane::cli {
namespace {

const char* kindText(FirmwareKind kind) {
  return kind == FirmwareKind::BootLoader ? "1 BOOTLOAD (BOOTLOADER)" : "2 系统程序 (M4-TRAX100)";
}

}  // namespace

int runImage(const GlobalOptions&, std::span<const std::string> args, Streams streams) {
  if (args.size() != 1 || args[0].rfind("--", 0) == 0) {
    streams.err << "orvane-cli image: 用法: image FILE\n";
    return kExitUsage;
  }
  const std::filesystem::path path = args[0];
  if (const auto problem = fileProblem(path, kImageMaxSize); !problem.empty()) {
    streams.err << "orvane-cli image: " << problem << '\n';
    return kExitUsage;
  }
  const auto info = checkFirmwareImageFile(path);
  streams.out << "文件: " << path.string() << '\n';
  if (!info) {
    streams.out << "结论: 无效\n";
    streams.err << path.string() << "\n不是有效的固件文件，请重新选择。\n";
    return kExitFailure;
  }
  char check[8];
  std::snprintf(check, sizeof check, "0x%02X", info->checkByte);
  streams.out << "结论: 有效\n"
              << "类型: " << kindText(info->kind) << '\n'
              << "版本: " << upgradeVersionText(info->version) << '\n'
              << "校验字节: " << check << '\n';
  return kExitOk;
}

}  // namespace orvane::cli
