#pragma once
// trax-sim with its wire log as the peer of a GoogleTest test: a log that
// lacks the marker fails the test.
#include <gtest/gtest.h>

#include "test_support/trax_sim_wire_log.h"

namespace orvane::testing {

class TraxSimPeer : public test_support::TraxSimWireLog {
 public:
  explicit TraxSimPeer(std::vector<std::string> args)
      : TraxSimWireLog(std::move(args), [] { ADD_FAILURE() << "no marker in the wire log"; }) {}
};

}  // namespace orvane::testing
