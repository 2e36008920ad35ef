// read and write: one function-code request each, as the window's buttons make it.
#include <ostream>

#include "tessor/cli/commands.h"
#include "tessor/cli/request_plan.h"
#include "tessor/cli/value_output.h"
#include "tessor/core/function_requests.h"

namespace tessor::cli {

namespace {

// The plan checked and the connection open: 0, or the exit status.
int prepare(CliSession& cli, RequestPlan& plan, const Arguments& arguments, CommandKind kind,
            Streams streams) {
  const auto args = splitArguments(arguments, optionsWithValue(kind), flagOptions(kind));
  if (!args.error.empty()) {
    streams.err << "tessor-cli: " << args.error << '\n';
    return kExitUsage;
  }
  if (const int status = preparePlan(args, kind, cli, plan, streams)) return status;
  return cli.connect(plan, streams);
}

void printValues(CliSession& cli, const RequestPlan& plan, Streams streams) {
  const SharedState state = cli.session.snapshot();
  const auto values = shownValues(cli, plan, state.buffer);
  if (plan.json) {
    nlohmann::json numbers = nlohmann::json::array();
    for (const auto& v : values) numbers.push_back(jsonNumber(v.number));
    const nlohmann::json object = {{"start", plan.start}, {"function", plan.functionCode}, {"values", numbers}};
    streams.out << object.dump() << '\n';
    return;
  }
  for (const auto& v : values) streams.out << v.name << ' ' << v.text << '\n';
}

}  // namespace

int runRead(const CliConfig& config, const Arguments& args, Streams streams) {
  CliSession cli(config.connection);
  RequestPlan plan;
  if (const int status = prepare(cli, plan, args, CommandKind::Read, streams)) return status;
  const int result = runFunctionCode(cli.session, plan.functionCode, true);
  if (result != kRequestOk) return cli.failure(plan, result, streams);
  printValues(cli, plan, streams);
  return kExitOk;
}

int runWrite(const CliConfig& config, const Arguments& args, Streams streams) {
  CliSession cli(config.connection);
  RequestPlan plan;
  if (const int status = prepare(cli, plan, args, CommandKind::Write, streams)) return status;
  const int result = runFunctionCode(cli.session, plan.functionCode, true);
  if (result != kRequestOk) return cli.failure(plan, result, streams);
  streams.out << cli.session.snapshot().statusText << '\n';
  return kExitOk;
}

}  // namespace tessor::cli
