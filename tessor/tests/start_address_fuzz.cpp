// Start-address texts of any content: parsing, recognising and the dialog's
// split never read outside the text, and a parsed address lies in its range.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tessor/core/register_map.h"
#include "tessor/core/start_address_dialog.h"

namespace {
class SilentPrompt : public tessor::Prompt {
 public:
  tessor::PromptAnswer ask(const tessor::PromptMessage&) override { return tessor::PromptAnswer::Ok; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  SilentPrompt prompt;
  const auto address = tessor::ParseStartAddress(text, prompt);
  const auto type = tessor::RecognizeRegisterType(text);
  if (address && type && text.rfind(tessor::kRegisterTypes[*type].name, 0) == 0 &&
      *address > 0x1FFF && !tessor::kRegisterTypes[*type].isWord)
    __builtin_trap();  // every bit type maps below 8192
  tessor::StartAddressDialogModel dialog(text);
  (void)dialog.informationLine();
  (void)dialog.accept(prompt);
  (void)dialog.resultText();
  return 0;
}
