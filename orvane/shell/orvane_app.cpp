#include "orvane_app.h"

#include "main_frame.h"
#include "orvane/protocol/orvane_view_core.h"
#include "dlg_about.h"
#include "orvane_view.h"
#include "platform/process_setup.h"
#include "platform/program_dir.h"

#include <QSettings>
#include <QStringList>

namespace orvane {
namespace {

std::filesystem::path programPath() { return platform::programDirectory() / readAppVersion().originalFilename; }

}  // namespace

COrvaneApp::COrvaneApp() : COrvaneApp(ConfigStore::inProgramDirectory()) {}

COrvaneApp::COrvaneApp(ConfigStore config, ProcessFlags& flags)
    : core_(std::make_unique<OrvaneViewCore>(ui_, prompt_, transport_, std::move(config), flags)),
      operations_(std::make_unique<EditorOperations>(*core_, dialogs_, wirelet_,
                                                     calls_.pumpFunction())),
      frame_(std::make_unique<CMainFrame>(*core_, calls_.pumpFunction())) {
  core_->setWorkerPump(calls_.pumpFunction());
  core_->link().setWriteGuard(&backup_);
  ui_.attach(*frame_, frame_->view());
  frame_->view().attachOperations(*operations_);
  frame_->setVersion({version_.productName, version_.legalCopyright,
                      {version_.numbers[0], version_.numbers[1], version_.numbers[2], version_.numbers[3]},
                      core_->config().readInt("DebugVersion")});
  QObject::connect(&frame_->view(), &COrvaneView::documentDropped, frame_.get(),
                   [this](const QString& file) { openDocument(file); });
  prompt_.setParentWindow(frame_.get());
  dialogs_.setParentWindow(frame_.get());
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
  platform::removeFromFirewall(programPath());
}

void COrvaneApp::prepareProcess() {
  platform::authoriseInFirewall(programPath(), version_.productName);
  std::string appended;
  if (!platform::appendToSearchPath(platform::programDirectory(), appended))
    showMessageBox(nullptr, "无法注册环境变量: " + appended, version_.productName,
                   MessageIcon::Error, MessageButtons::Ok);
}

// The profile keeps the four most recent, the newest first.
void COrvaneApp::openDocument(const QString& file) {
  constexpr int kRecentFiles = 4;
  QSettings profile(QStringLiteral("Tarsel"), QStringLiteral("Orvane"));
  QStringList recent;
  for (int n = 1; n <= kRecentFiles; ++n) {
    const QString entry = profile.value(QStringLiteral("Recent File List/File%1").arg(n)).toString();
    if (!entry.isEmpty() && entry != file) recent << entry;
  }
  recent.prepend(file);
  for (int n = 1; n <= kRecentFiles && n <= recent.size(); ++n)
    profile.setValue(QStringLiteral("Recent File List/File%1").arg(n), recent[n - 1]);
}

bool COrvaneApp::loadWirelet() { return wirelet_.load(); }

bool COrvaneApp::loadWirelet(const std::filesystem::path& file) { return wirelet_.load(file); }

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
