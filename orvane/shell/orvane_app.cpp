#include "orvane_app.h"

#include "main_frame.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane_view.h"

namespace orvane {

COrvaneApp::COrvaneApp() : COrvaneApp(ConfigStore::inProgramDirectory()) {}

COrvaneApp::COrvaneApp(ConfigStore config, ProcessFlags& flags)
    : core_(std::make_unique<OrvaneViewCore>(ui_, prompt_, transport_, std::move(config), flags)),
      operations_(std::make_unique<EditorOperations>(*core_, dialogs_, wirelet_,
                                                     calls_.pumpFunction())),
      frame_(std::make_unique<CMainFrame>(*core_, calls_.pumpFunction())) {
  core_->link().setWriteGuard(&backup_);
  ui_.attach(*frame_, frame_->view());
  frame_->view().attachOperations(*operations_);
  prompt_.setParentWindow(frame_.get());
  QObject::connect(&frame_->view(), &COrvaneView::firstShown, frame_.get(),
                   [this] { initialUpdate(); });
}

// Exit: the worker ends (serving its sent calls meanwhile), the windows and
// the flows go, and Wirelet is released last, when nothing can call it.
COrvaneApp::~COrvaneApp() {
  core_->worker().end(BackgroundOperation::kNoLimit, calls_.pumpFunction());
  frame_.reset();
  operations_.reset();
  core_.reset();
  wirelet_.release();
}

bool COrvaneApp::loadWirelet() { return wirelet_.load(); }

// Wide enough for the eight columns of the module list at their initial widths.
void COrvaneApp::show() {
  frame_->resize(1024, 640);
  frame_->show();
}

// The route, the port and the firmware file from Lumen_.ini, the port button
// and panels for the route, an empty list and the first scan.
void COrvaneApp::initialUpdate() {
  core_->loadSettings();
  frame_->showRoute(core_->protocolType(), core_->portCom());
  ui_.selectionState(core_->protocolType(), 0);
  frame_->view().deleteAllRows();
  core_->startInitialScan();
}

}  // namespace orvane
