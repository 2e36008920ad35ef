#include "tessor/cli/cli_options.h"

#include <algorithm>

#include "common/command_line.h"
#include "platform/udp_socket.h"

namespace tessor::cli {

namespace {
bool contains(const std::vector<std::string>& list, const std::string& word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

// The window's standard range message, naming the field.
std::string rangeMessage(const std::string& option, long low, long high) {
  return option + ": 请输入一个介于 " + std::to_string(low) + " 和 " + std::to_string(high) +
         " 之间的整数。";
}
}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  trax::LeadingOptions& leading = line;
  leading = trax::splitLeadingOptions(
      args, {"--host", "--port", "--station", "--timeout", "--retries", "--config"}, "缺少命令",
      [&line](const std::string& option, const std::string& value) {
        if (option == "--config")
          line.config = value;
        else
          line.connectionOptions[option] = value;
        return std::string();
      });
  return line;
}

ConnectionResult resolveConnection(const Connection& fromFile,
                                   const std::map<std::string, std::string>& options) {
  ConnectionResult result{fromFile, {}};
  Connection& c = result.connection;
  for (const auto& [option, value] : options) {
    if (option == "--host") {
      const auto address = platform::parseIpv4(value);
      if (!address) {
        result.error = "--host: 无效的IP地址: " + value;
        return result;
      }
      for (int b = 0; b < 4; ++b) c.ip[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(*address >> (24 - 8 * b));
      continue;
    }
    struct Field {
      const char* name;
      long low, high;
    };
    static constexpr Field kFields[] = {
        {"--port", 1, 65535}, {"--station", 0, 255}, {"--timeout", 1, 255}, {"--retries", 0, 10}};
    for (const auto& f : kFields) {
      if (option != f.name) continue;
      const auto number = boundedNumber(value, f.low, f.high);
      if (!number) {
        result.error = rangeMessage(option, f.low, f.high);
        return result;
      }
      if (option == "--port") c.port = static_cast<std::uint16_t>(*number);
      if (option == "--station") c.station = static_cast<int>(*number);
      if (option == "--timeout") c.timeout = static_cast<int>(*number);
      if (option == "--retries") c.retries = static_cast<int>(*number);
    }
  }
  // Values from the settings file are held to the window's ranges too.
  struct Check {
    const char* name;
    int value;
    long low, high;
  };
  const Check checks[] = {{"Station", c.station, 0, 255},
                          {"Retry", c.retries, 0, 10},
                          {"TimeOut", c.timeout, 1, 255},
                          {"Poill", c.polling, 0, 3000}};
  for (const auto& check : checks)
    if (check.value < check.low || check.value > check.high)
      result.error = rangeMessage(check.name, check.low, check.high);
  return result;
}

CommandArguments splitArguments(const std::vector<std::string>& args,
                                const std::vector<std::string>& withValue,
                                const std::vector<std::string>& flags) {
  CommandArguments out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto& arg = args[i];
    const bool isOption = arg.size() > 2 && arg.rfind("--", 0) == 0;
    if (!isOption) {
      out.positional.push_back(arg);
    } else if (contains(flags, arg)) {
      out.options[arg] = "";
    } else if (contains(withValue, arg)) {
      if (i + 1 >= args.size()) {
        out.error = arg + " 缺少参数";
        return out;
      }
      out.options[arg] = args[++i];
    } else {
      out.error = "未知选项: " + arg;
      return out;
    }
  }
  return out;
}

}  // namespace tessor::cli
