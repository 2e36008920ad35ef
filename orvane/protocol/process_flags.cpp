#include "process_flags.h"

namespace orvane {

ProcessFlags& processFlags() {
  static ProcessFlags flags;
  return flags;
}

}  // namespace orvane
