#pragma once
// Starts modbus_peer.py (a pymodbus server on 127.0.0.1, free port) for one
// test and talks to its control port: what it received, how it misbehaves.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "test_support/child_process.h"

namespace tessor::testing {

class ModbusPeer {
 public:
  ModbusPeer() : process_("/usr/bin/python3", {TESSOR_PEER}) {
    const auto line = process_.waitForLine("PORT ", 20);
    if (!line) return;
    std::istringstream in(*line);
    std::string word;
    in >> port_ >> word >> controlPort_;
    control_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(controlPort_);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval limit{10, 0};  // a hung peer fails the test instead of hanging it
    ::setsockopt(control_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    if (::connect(control_, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
      ::close(control_);
      control_ = -1;
    }
  }
  ~ModbusPeer() {
    if (control_ >= 0) ::close(control_);
  }
  ModbusPeer(const ModbusPeer&) = delete;
  ModbusPeer& operator=(const ModbusPeer&) = delete;

  bool ready() const { return control_ >= 0 && port_ > 0; }
  std::uint16_t port() const { return port_; }

  // The command's answer lines (without the closing "END").
  std::vector<std::string> command(const std::string& line) {
    const std::string out = line + "\n";
    if (::send(control_, out.data(), out.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(out.size()))
      return {"ERROR send"};
    std::vector<std::string> lines;
    for (;;) {
      const auto next = readLine();
      if (!next || *next == "END") break;
      lines.push_back(*next);
    }
    return lines;
  }
  std::vector<std::string> log() { return command("log"); }
  void clear() { command("clear"); }
  int connections() { return std::stoi(command("connections").at(0)); }

 private:
  std::optional<std::string> readLine() {
    std::string line;
    char c = 0;
    while (::recv(control_, &c, 1, 0) == 1) {
      if (c == '\n') return line;
      line.push_back(c);
    }
    return std::nullopt;
  }

  test_support::ChildProcess process_;
  std::uint16_t port_ = 0;
  std::uint16_t controlPort_ = 0;
  int control_ = -1;
};

}  // namespace tessor::testing
