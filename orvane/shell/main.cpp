// orvane: the TRAX module configuration editor.
#include <QApplication>
#include <QMessageBox>

#include "orvane/shell/orvane_app.h"
#include "orvane/shell/qt_prompt.h"
#include "orvane/shell/qt_text.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The per-user profile (QSettings) of the editor.
  QApplication::setOrganizationName(QStringLiteral("Tarsel"));
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  orvane::COrvaneApp app;
  // Without Wirelet the editor does not run.
  if (!app.loadWirelet()) {
    orvane::showMessageBox(nullptr, app.wireletNotFoundText(), "Orvane", orvane::MessageIcon::Error,
                           orvane::MessageButtons::Ok);
    return 1;
  }
  app.show();
  return application.exec();
}
