#include "module_record.h"

#include "platform/gbk.h"

namespace orvane {

std::string nameUtf8(const ModuleRecord& record) {
  return platform::gbkToUtf8(textField(record.name));
}

std::string descriptionUtf8(const ModuleRecord& record) {
  return platform::gbkToUtf8(textField(record.description));
}

}  // namespace orvane
