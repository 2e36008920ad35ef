#pragma once
// Corvel's one diagnostic: a line for a message viewer. The viewer listens on
// a local datagram socket named after its window class; nothing is sent, and
// nothing fails, when no viewer runs.
#include <cstdarg>
#include <string>

namespace corvel {

inline constexpr const char* kViewerClass = "VELDRA_32";
inline constexpr const char* kLinePrefix = "ZAVRO>";
inline constexpr const char* kEmptyLine = "NULL!!";
inline constexpr std::size_t kMaxLineLength = 255;

// "ZAVRO>" and the formatted text, at most 255 characters; "NULL!!" when no
// line could be made (no format, or a formatting error).
std::string buildDebugLine(const char* format, va_list args);

// One datagram to the viewer when one listens; false when none does.
bool sendToViewer(const std::string& line);

}  // namespace corvel
