#pragma once
// The texts of the export and test commands. UTF-8, exactly as the user sees them.
#include <string_view>

namespace orvane::texts {

inline constexpr std::string_view kExportTitle = "导出";
inline constexpr std::string_view kExportFilter = "csv文件(*.csv)";
inline constexpr std::string_view kOverwriteFailed = "覆盖文件时出错！";
inline constexpr std::string_view kOpenFailedSuffix = "\n文件打开错误！";
inline constexpr std::string_view kExportSavedPrefix = "导出文件保存于";  // then the path and "!"
inline constexpr std::string_view kCaptionInformation = "信息";

}  // namespace orvane::texts
