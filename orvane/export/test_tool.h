#pragma once
// "测试": the selected module handed to Tessor. Its address and station go
// into Config.ini in the ORVANETEST sub-directory of the program directory
// (the file Tessor reads from its own directory at start-up), then Tessor is
// started from there, detached, with no arguments. The editor never waits
// for it, and shows nothing whatever happens.
#include <filesystem>

#include "orvane/protocol/module_record.h"

namespace orvane {

inline constexpr const char* kTestToolDirectory = "ORVANETEST";
inline constexpr const char* kTestToolBaseName = "tessor";
inline constexpr const char* kHandOffFileName = "Config.ini";

// The station Tessor addresses: the module's fixed ID when it has one, else
// its module ID (the list's "ID" column on the network route).
long long testStation(const ModuleRecord& record);

// [MODBUSTCPIP] "IP Address0".."IP Address3" (currentIp, first byte first)
// and "Station", in this order; other keys stay. False when a write failed.
bool writeHandOffFile(const std::filesystem::path& file, const ModuleRecord& record);

enum class TestToolOutcome { NoDirectory, Started, StartFailed };

// Nothing at all when `programDirectory`/ORVANETEST is missing.
TestToolOutcome startTestTool(const std::filesystem::path& programDirectory,
                              const ModuleRecord& record);

}  // namespace orvane
