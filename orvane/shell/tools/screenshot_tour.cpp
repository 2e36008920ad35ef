// Drives the editor through its main states and saves a picture of the
// screen in each: the module list after a scan and sorted by two columns,
// each page of the docking bar, the list's context menu, the port dialog,
// the progress dialog and the About box. Run under Xvfb by
// scripts/screenshots.sh, with a Lumen_.ini in the program directory that
// points the scan at a simulator on loopback.
//
//   orvane-screenshot-tour OUTPUT_DIR
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

#include "common/help_and_version.h"
#include "orvane/protocol/orvane_view_core.h"
#include "orvane/shell/busy_indicator.h"
#include "orvane/shell/dlg_about.h"
#include "orvane/shell/dlg_port.h"
#include "orvane/shell/dlg_progress.h"
#include "orvane/shell/main_frame.h"
#include "orvane/shell/main_status_bar.h"
#include "orvane/shell/orvane_app.h"
#include "orvane/shell/orvane_view.h"
#include "orvane/widgets/dock_page_bar.h"

namespace {

using Step = std::function<void()>;

class Tour {
 public:
  Tour(orvane::COrvaneApp& app, QString output) : app_(app), output_(std::move(output)) {}

  void start() { waitForScan(0); }

 private:
  orvane::CMainFrame& frame() { return app_.mainFrame(); }

  void save(const QString& name) {
    QApplication::processEvents();
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString file = QDir(output_).filePath(name + ".png");
    std::printf("%s %s\n", shot.save(file) ? "saved" : "FAILED", qPrintable(file));
  }

  // Each step runs after the window has painted the one before.
  void then(std::vector<Step> steps) {
    if (steps.empty()) {
      QApplication::quit();
      return;
    }
    Step step = std::move(steps.front());
    steps.erase(steps.begin());
    QTimer::singleShot(400, [this, step = std::move(step), rest = std::move(steps)]() mutable {
      step();
      then(std::move(rest));
    });
  }

  void waitForScan(int tries) {
    const bool scanned = frame().view().rowCount() > 0 &&
                         frame().statusPanes().busyIndicator().isHidden();
    if (!scanned && tries < 100) {
      QTimer::singleShot(100, [this, tries] { waitForScan(tries + 1); });
      return;
    }
    then(tourSteps());
  }

  std::vector<Step> tourSteps() {
    auto& dock = frame().dockBar();
    std::vector<Step> steps;
    steps.push_back([this] { save("list"); });
    // By status, then Ctrl+click on IP: both headers show their arrows.
    steps.push_back([this] {
      frame().view().sortByColumn(orvane::kColumnStatus, false);
      frame().view().sortByColumn(orvane::kColumnIp, true);
    });
    steps.push_back([this] { save("list-sorted"); });
    const char* pages[] = {"page-info", "page-config", "page-module-help", "page-software-help"};
    for (int page = 0; page < 4; ++page)
      steps.push_back([this, &dock, page, name = QString(pages[page])] {
        dock.showPage(page);
        save(name);
      });
    steps.push_back([&dock] { dock.showPage(0); });
    steps.push_back([this] { openContextMenu(); });
    steps.push_back([this] { showDialog(new orvane::CDlgPort(1, {1, 2, 3}, &frame()), "port-dialog"); });
    steps.push_back([this] { showDialog(new orvane::CDlgProgress(37, &frame()), "progress-dialog"); });
    steps.push_back([this] {
      orvane::FrameVersion version;
      version.numbers = {2, 0, 1, 1};
      showDialog(new orvane::CAboutDlg(version, &frame()), "about");
    });
    steps.push_back([] {});  // the last picture is taken before the tour ends
    return steps;
  }

  // The right click on the selected row, as the user gives it. The menu may
  // run its own event loop, so its picture is taken from a timer set first.
  void openContextMenu() {
    QTimer::singleShot(400, [this] { saveAndClosePopup("context-menu"); });
    auto& view = frame().view();
    const QRect row = view.visualRect(view.model()->index(view.currentRow(), 1));
    QContextMenuEvent event(QContextMenuEvent::Mouse, row.center(),
                            view.viewport()->mapToGlobal(row.center()));
    QApplication::sendEvent(view.viewport(), &event);
  }

  void saveAndClosePopup(const QString& name) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) {
      std::printf("skipped %s: the list has no context menu\n", qPrintable(name));
      return;
    }
    save(name);
    popup->close();
  }

  // Shown, not run modally, so that the tour goes on; closed after the picture.
  void showDialog(QDialog* dialog, const QString& name) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    QTimer::singleShot(300, dialog, [this, dialog, name] {
      save(name);
      dialog->close();
    });
  }

  orvane::COrvaneApp& app_;
  QString output_;
};

}  // namespace

const char* const kUsage =
    "usage: orvane-screenshot-tour OUTPUT_DIR\n"
    "Scans the modules named by Lumen_.ini in the program directory and saves a\n"
    "picture of each of the editor's main states into OUTPUT_DIR (run under Xvfb\n"
    "by scripts/screenshots.sh).\n"
    "  --help      this text\n"
    "  --version   the suite's version\n";

int main(int argc, char** argv) {
  // Answered before a display is opened or a scan is sent.
  if (const auto answered =
          trax::answerHelpOrVersion(argc, argv, "orvane-screenshot-tour", kUsage))
    return *answered;
  if (argc != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Tarsel"));
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  orvane::COrvaneApp app;
  app.show();
  // Wide enough for every column at its width, the status texts included.
  app.mainFrame().setGeometry(0, 0, 1600, 720);
  Tour tour(app, QString::fromLocal8Bit(argv[1]));
  tour.start();
  return application.exec();
}
