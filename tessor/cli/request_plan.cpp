#include "tessor/cli/request_plan.h"

#include <ostream>

#include "tessor/core/number_text.h"
#include "tessor/core/register_map.h"

namespace tessor::cli {

namespace {

int refuse(Streams streams, const std::string& text) {
  streams.err << "tessor-cli: " << text << '\n';
  return kExitUsage;
}

int formatOf(const std::string& text) {
  if (text == "oct") return 0;
  if (text == "dec") return 1;
  if (text == "hex") return 2;
  return -1;
}

// The length text the window's field would hold: LENGTH values of the type, in
// registers. A text that is no number goes to the window's check as it is.
std::string lengthText(const std::string& typed, const ValueLayout& layout) {
  const int width = wordsPerValue(layout.type);
  const SignedConversion c = convertSignedDecimal(typed);
  if (width == 1 || !c.complete || c.value < 0 || c.value > 100000) return typed;
  return std::to_string(c.value * width);
}

// The function the command makes: --function N for read and poll, the
// window's choice of button otherwise.
std::string chooseFunction(const CommandArguments& args, CommandKind kind, RequestPlan& plan) {
  const RegisterType& type = kRegisterTypes[static_cast<std::size_t>(plan.registerType)];
  const std::string refusal = std::string("寄存器") + type.name + " 支持功能代码: " + type.supportedCodes;
  if (kind == CommandKind::Write) {
    const bool single = plan.words() == 1;
    plan.functionCode = type.isWord ? (single ? 6 : 16) : (single ? 5 : 15);
  } else if (const auto it = args.options.find("--function"); it != args.options.end()) {
    const auto code = boundedNumber(it->second, 1, 4);
    if (!code) return "--function " + it->second + ": 只可读取 (功能代码 1-4)；" + refusal;
    plan.functionCode = static_cast<int>(*code);
  } else {
    plan.functionCode = 0;
    for (const int code : {1, 3, 2, 4})
      if (!plan.functionCode && SupportsFunction(plan.registerType, *buttonOfFunctionCode(code)))
        plan.functionCode = code;
  }
  if (!plan.functionCode || !SupportsFunction(plan.registerType, *buttonOfFunctionCode(plan.functionCode)))
    return "功能代码 " + std::to_string(plan.functionCode) + " 不适用；" + refusal;
  return {};
}

std::string takeFormatAndType(const CommandArguments& args, RequestPlan& plan) {
  if (const auto it = args.options.find("--format"); it != args.options.end()) {
    plan.format = formatOf(it->second);
    if (plan.format < 0) return "--format " + it->second + ": 应为 oct、dec 或 hex";
  }
  if (const auto it = args.options.find("--type"); it != args.options.end()) {
    const auto type = parseValueType(it->second);
    if (!type) return "--type " + it->second + ": 应为 u16、s16、u32、s32 或 f32";
    plan.layout.type = *type;
  }
  if (const auto it = args.options.find("--word-order"); it != args.options.end()) {
    const auto order = parseWordOrder(it->second);
    if (!order) return "--word-order " + it->second + ": 应为 high-first 或 low-first";
    plan.layout.order = *order;
  }
  plan.json = args.options.contains("--json");
  return {};
}

// The data cells of a write: the typed texts for 16-bit words and bits, which
// the table checks itself; the words of wider or signed values otherwise.
std::string writeCells(const std::vector<std::string>& typed, const RequestPlan& plan,
                       std::vector<std::string>& cells) {
  if (plan.layout.type == ValueType::U16) {
    cells = typed;
    return {};
  }
  const int base = baseOfFormat(plan.format);
  for (const auto& text : typed) {
    const WordsOfText w = wordsOfText(plan.layout, text, base);
    if (!w.error.empty()) return w.error;
    for (int k = 0; k < wordsPerValue(plan.layout.type); ++k) cells.push_back(formatNumber(w.words[k], base));
  }
  return {};
}

}  // namespace

std::vector<std::string> optionsWithValue(CommandKind kind) {
  switch (kind) {
    case CommandKind::Read: return {"--format", "--type", "--word-order", "--function"};
    case CommandKind::Write: return {"--format", "--type", "--word-order"};
    default: return {"--format", "--type", "--word-order", "--function", "--interval", "--cycles"};
  }
}

std::vector<std::string> flagOptions(CommandKind kind) {
  switch (kind) {
    case CommandKind::Read: return {"--json"};
    case CommandKind::Write: return {};
    default: return {"--json", "--csv", "--ignore-errors"};
  }
}

int preparePlan(const CommandArguments& args, CommandKind kind, CliSession& cli, RequestPlan& plan,
                Streams streams) {
  const auto& words = args.positional;
  if (words.empty()) return refuse(streams, "缺少起始地址 (例如 R2000)");
  if (kind == CommandKind::Write && words.size() < 2) return refuse(streams, "缺少要写入的数值");
  if (kind != CommandKind::Write && words.size() > 2) return refuse(streams, "多余的参数: " + words[2]);
  if (const auto error = takeFormatAndType(args, plan); !error.empty()) return refuse(streams, error);
  plan.start = words[0];
  const std::vector<std::string> typed(words.begin() + 1, words.end());
  const std::string length = kind == CommandKind::Write ? std::to_string(typed.size() * wordsPerValue(plan.layout.type))
                                                        : lengthText(words.size() > 1 ? words[1] : "1", plan.layout);
  // The start address and the length first, exactly as the window checks them.
  cli.session.setFields({plan.start, length, plan.format});
  if (!cli.check(true)) return refuse(streams, cli.prompt.lastText());
  plan.registerType = *RecognizeRegisterType(plan.start);
  plan.values = lengthOfText(length, MaxLength(plan.registerType)) / wordsPerValue(plan.layout.type);
  if (kind == CommandKind::Write) plan.values = static_cast<int>(typed.size());
  if (plan.layout.type != ValueType::U16 && !kRegisterTypes[static_cast<std::size_t>(plan.registerType)].isWord)
    return refuse(streams, "--type: 只适用于字寄存器 (R)");
  if (const auto error = chooseFunction(args, kind, plan); !error.empty()) return refuse(streams, error);
  std::vector<std::string> cells;
  if (kind == CommandKind::Write) {
    if (const auto error = writeCells(typed, plan, cells); !error.empty()) return refuse(streams, error);
  }
  cli.setUp(plan, cells);
  if (kind == CommandKind::Write && !cli.check(false)) return refuse(streams, cli.prompt.lastText());
  return kExitOk;
}

}  // namespace tessor::cli
