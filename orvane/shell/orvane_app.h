#pragma once
// The one place that assembles the editor: the configuration store, the
// UDP transport, the view core with the UI port and the prompt, and the
// windows. The view's first showing reads the settings and starts the
// first scan.
//
// Built and destroyed on the user-interface thread, after the QApplication
// and before it goes.
#include <QString>
#include <memory>

#include "orvane/widgets/gui_thread_calls.h"
#include "orvane/protocol/config_store.h"
#include "orvane/protocol/datagram_transport.h"
#include "orvane/protocol/process_flags.h"
#include "orvane/serial/wirelet_library.h"
#include "app_version.h"
#include "orvane/settings_file/settings_backup.h"
#include "editor_operations.h"
#include "qt_prompt.h"
#include "qt_settings_dialogs.h"
#include "qt_ui_port.h"

namespace orvane {

class CMainFrame;
class OrvaneViewCore;

class COrvaneApp {
 public:
  // Lumen_.ini in the program directory.
  COrvaneApp();
  explicit COrvaneApp(ConfigStore config, ProcessFlags& flags = processFlags());
  // Exit: ends a running worker first (serving its sent calls meanwhile), so
  // that it never outlives the windows it talks to; then the windows and
  // flows go, Wirelet is released and the firewall entry removed.
  ~COrvaneApp();
  COrvaneApp(const COrvaneApp&) = delete;
  COrvaneApp& operator=(const COrvaneApp&) = delete;

  // Start-up steps before Wirelet: the firewall authorisation (its result
  // ignored) and the program directory appended to PATH; a PATH that cannot
  // be set is reported ("无法注册环境变量: %s") and start-up goes on.
  void prepareProcess();

  // Wirelet by its file name (the system's search order, then the program
  // directory). False when it cannot be loaded: wireletNotFoundText() says why.
  bool loadWirelet();
  bool loadWirelet(const std::filesystem::path& file);
  std::string wireletNotFoundText() const { return wirelet_.notFoundText(); }

  void show();

  // A document named on the command line or dropped on the window: the
  // document holds no data, so nothing is read; it joins the four recent
  // files of the user profile.
  void openDocument(const QString& file);

  const AppVersion& version() const { return version_; }

  CMainFrame& mainFrame() { return *frame_; }
  OrvaneViewCore& core() { return *core_; }
  EditorOperations& operations() { return *operations_; }
  QtUiPort& uiPort() { return ui_; }
  QtPrompt& prompt() { return prompt_; }
  GuiThreadCalls& guiThreadCalls() { return calls_; }

 private:
  void initialUpdate();

  AppVersion version_ = readAppVersion();
  GuiThreadCalls calls_;
  QtUiPort ui_{calls_};
  QtPrompt prompt_{calls_};
  // Before every write to a module, from any window or the worker; a failed
  // backup asks the user through the prompt whether to write without one.
  settings_file::SettingsBackup backup_{settings_file::defaultBackupDirectory(), prompt_};
  UdpTransport transport_;
  WireletLibrary wirelet_;  // released after everything that calls it
  QtSettingsDialogs dialogs_{calls_, prompt_};
  std::unique_ptr<OrvaneViewCore> core_;
  std::unique_ptr<EditorOperations> operations_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace orvane
