#pragma once
// The address check of the basic settings and add-device dialogs.
#include "orvane/protocol/module_record.h"

namespace orvane::forms {

// Refused: 0.0.0.0, 127.0.0.0, 127.0.0.1, a first byte of 224 or more (the
// multicast and reserved ranges, the broadcast address), a last byte of
// 255. Everything else is accepted, 0.1.2.3 and 127.0.0.5 included.
bool ipAddressAllowed(const Ipv4Bytes& ip);

}  // namespace orvane::forms
