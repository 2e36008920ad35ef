#pragma once
// The window's fields as a request sees them, for tests: records selections and
// re-lays the table when the length is set, as the window's length field does.
#include <atomic>
#include <string>
#include <vector>

#include "tessor/core/data_table.h"
#include "tessor/core/modbus_session.h"
#include "tessor/core/register_map.h"

namespace tessor::testing {

class FakeRequestView : public RequestView {
 public:
  explicit FakeRequestView(DataTable& table) : table_(table) {}
  void selectStartAddress() override { ++startAddressSelections; }
  void selectLength() override { ++lengthSelections; }
  void setLengthText(const std::string& text) override {
    lengthTexts.push_back(text);
    table_.Relayout(std::stoi(text), true);
  }
  std::atomic<int> startAddressSelections{0};
  std::atomic<int> lengthSelections{0};
  std::vector<std::string> lengthTexts;

 private:
  DataTable& table_;
};

}  // namespace tessor::testing
