// The viewer's local socket on Linux: a datagram socket in the abstract
// namespace, named exactly "\0VELDRA_32" (no trailing terminator).
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#include "corvel/debug_line.h"

namespace corvel {

bool sendToViewer(const std::string& line) {
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t nameLength = std::strlen(kViewerClass);
  std::memcpy(address.sun_path + 1, kViewerClass, nameLength);
  const auto addressLength = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + nameLength);
  // Without a bound viewer the send fails at once (ECONNREFUSED); a viewer
  // that stopped reading loses the line rather than blocking the driver.
  const ssize_t sent = ::sendto(fd, line.data(), line.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), addressLength);
  ::close(fd);
  return sent == static_cast<ssize_t>(line.size());
}

}  // namespace corvel
