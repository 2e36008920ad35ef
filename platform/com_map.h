#pragma once
// Serial ports are numbered COMn everywhere the user sees them. One mapping
// from n to a device serves every component:
//   1. the environment variable TRAX_COM<n>, when set (a pseudo-terminal, say);
//   2. else COM1-32 = /dev/ttyS0-31, COM33-64 = /dev/ttyUSB0-31,
//      COM65-96 = /dev/ttyACM0-31.
#include <string>
#include <vector>

namespace platform {

// Device path of COMn; empty when n has no device name.
std::string comDevicePath(int n);

// The numbers n whose device exists, plus every n with TRAX_COM<n> set; ascending.
std::vector<int> availableComPorts();

}  // namespace platform
