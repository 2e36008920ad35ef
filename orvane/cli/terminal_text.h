#pragma once
// Text from a module or a PLC on its way to a terminal. Such text is the
// peer's to choose, so control characters in it could end a line early or
// drive the terminal (escape sequences); they are printed as spaces. JSON
// output needs none of this: the encoder escapes them.
#include <string>

namespace orvane::cli {

// A value shown on one line: every control character becomes a space.
std::string oneLine(std::string text);

// A message that may carry a peer's text: the line breaks and tabs of the
// editor's own layout stay, every other control character becomes a space.
std::string withoutTerminalControls(std::string text);

}  // namespace orvane::cli
