#pragma once
// ErrorText: the one place that turns an error code left in the communication
// record (by Quorra or the serial library) into the text the user sees.
#include <cstdint>
#include <string>

namespace tessor {

std::string ErrorText(std::uint32_t code);

}  // namespace tessor
