#pragma once
// What `orvane-cli scan` prints: the module list's rows as text, or JSON.
#include <string>
#include <vector>

#include "orvane/protocol/module_record.h"

namespace orvane::cli {

// One line per module: the eight column texts of the list, separated by
// tabs, and a ninth, the interface the module answered on, when it has one.
// Control characters inside a text become spaces so that a name never
// breaks a line.
std::string scanRowsText(const std::vector<ModuleRecord>& records, int protocolType);

// An array with one object per module (keys in the order below):
// "mac", "model", "ip", "id", "runMode", "statusFlags", "fixedId", "moduleId",
// "name", "description", "status", "statusLevel", "version",
// "firmwareVersion", "bootVersion", "pwbVersion", "pldVersion", "switches",
// "interface" (empty when the requests went to a single destination).
std::string scanJson(const std::vector<ModuleRecord>& records, int protocolType);

}  // namespace orvane::cli
