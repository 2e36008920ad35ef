// Operation 1 on the serial route, and the detail read that ends it.
#include "orvane/protocol/process_flags.h"
#include "orvane/protocol/user_texts.h"
#include "orvane/serial/serial_route.h"
#include "orvane/serial/version_text.h"

namespace orvane {

SerialRoute::SerialRoute(OrvaneViewCore& view, SerialOrders& orders)
    : view_(view), operations_(view, orders) {}

void SerialRoute::install() {
  view_.setOperationHandler(kOperationScan, kProtocolSerial, [this](int) { scan(); });
  view_.setOperationHandler(kOperationRefresh, kProtocolSerial, [this](int index) { refresh(index); });
  view_.setOperationHandler(kOperationFactoryRestore, kProtocolSerial,
                            [this](int row) { restoreFactory(row); });
}

void SerialRoute::scan() {
  view_.ui().setStatusText();
  view_.table().resetAll();
  SerialResult result;
  {
    CommunicationScope busy(view_.flags());
    result = scanSteps();
  }
  std::lock_guard lock(mutex_);
  lastScan_ = std::move(result);
}

SerialResult SerialRoute::scanSteps() {
  std::string text;
  while (!operations_.readPlcModel(text)) {
    if (view_.flags().closing) return {SerialOutcome::Closing, text};
    view_.status().set(text);
    view_.busyIndicatorOff();
    if (!view_.selectSerialPort()) return {SerialOutcome::Cancelled, text};
    view_.busyIndicatorOn();
  }
  if (!operations_.readModuleList(text)) return {SerialOutcome::Failed, text};
  if (view_.flags().closing) return {SerialOutcome::Closing, {}};
  if (view_.table().count() > 0) readListedModules();
  view_.status().set(texts::kReady);
  return {SerialOutcome::Done, {}};
}

// The first failure is shown and ends the loop; the modules before it keep
// what was read, and the list is refreshed in any case. Closing the program
// ends it too.
void SerialRoute::readListedModules() {
  const int count = view_.table().count();
  for (int index = 0; index < count && !view_.flags().closing; ++index) {
    // Each read keeps its own text: a failed close appends to the text it is
    // given, and the information text is no part of the parameter read's box.
    std::string infoText;
    if (operations_.readModuleInfo(index, infoText)) {
      view_.table().update(index, [&](ModuleRecord& r) { applySerialVersion(infoText, r.versions); });
    } else {
      errorBox(infoText);
      break;
    }
    std::string parametersText;
    if (!operations_.readModuleParameters(index, parametersText)) {
      errorBox(parametersText);
      break;
    }
  }
  view_.ui().refreshList(-1);
  const auto first = view_.table().record(0);
  view_.ui().showVersions(kRunModeUnknown, first->versions);
}

void SerialRoute::errorBox(std::string_view text) {
  view_.prompt().messageBox(text, texts::kCaptionError, MessageIcon::Error, MessageButtons::Ok);
}

SerialResult SerialRoute::lastScan() const {
  std::lock_guard lock(mutex_);
  return lastScan_;
}

SerialResult SerialRoute::lastRestore() const {
  std::lock_guard lock(mutex_);
  return lastRestore_;
}

}  // namespace orvane
