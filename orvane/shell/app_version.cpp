#include "app_version.h"

#include <map>

#include "trax_version.h"

namespace orvane {
namespace {

constexpr std::string_view kResourceBlock = "080403a8";

const std::map<std::string_view, std::string_view>& resourceTexts() {
  static const std::map<std::string_view, std::string_view> texts{
      {"CompanyName", "Tarsel"},
      {"FileDescription", "ORVANE Tools Software Application"},
      {"FileVersion", TRAX_VERSION_TEXT},
      {"InternalName", "ORVANE"},
      {"LegalCopyright", "Copyright (C) Tarsel"},
      {"OriginalFilename", "orvane"},
      {"ProductName", "ORVANE"},
      {"ProductVersion", TRAX_VERSION_TEXT},
      {"Comments", "ORVANE"},
  };
  return texts;
}

AppVersion builtInTexts() {
  AppVersion v;
  v.companyName = "Tarsel";
  v.fileDescription = "ORVANE Tools Software Application";
  v.fileVersion = "2, 0, 0, 0";
  v.internalName = "ORVANE";
  v.legalCopyright = "Copyright (C) Tarsel";
  v.originalFilename = "Orvane.EXE";
  v.productName = "ORVANE";
  v.productVersion = "2, 0, 0, 0";
  v.comments = "ORVANE";
  return v;
}

}  // namespace

std::optional<std::string> queryVersionText(std::string_view block, std::string_view name) {
  if (block != kResourceBlock) return std::nullopt;
  const auto text = resourceTexts().find(name);
  if (text == resourceTexts().end()) return std::string();
  return std::string(text->second);
}

AppVersion readAppVersion() {
  using Field = std::string AppVersion::*;
  constexpr std::pair<std::string_view, Field> kFields[] = {
      {"CompanyName", &AppVersion::companyName},     {"FileDescription", &AppVersion::fileDescription},
      {"FileVersion", &AppVersion::fileVersion},     {"InternalName", &AppVersion::internalName},
      {"LegalCopyright", &AppVersion::legalCopyright}, {"OriginalFilename", &AppVersion::originalFilename},
      {"ProductName", &AppVersion::productName},     {"ProductVersion", &AppVersion::productVersion},
      {"Comments", &AppVersion::comments},           {"LegalTrademarks", &AppVersion::legalTrademarks},
      {"PrivateBuild", &AppVersion::privateBuild},   {"SpecialBuild", &AppVersion::specialBuild}};
  AppVersion version;
  bool allFound = true;
  for (const auto& [name, field] : kFields) {
    const auto text = queryVersionText("040904b0", name);
    if (!text) allFound = false;
    else version.*field = *text;
  }
  if (!allFound) version = builtInTexts();
  version.numbers = {TRAX_VERSION_MAJOR, TRAX_VERSION_MINOR, TRAX_VERSION_PATCH, TRAX_VERSION_TWEAK};
  return version;
}

}  // namespace orvane
