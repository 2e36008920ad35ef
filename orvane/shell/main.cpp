// orvane: the TRAX module configuration editor.
#include <QApplication>

#include "orvane/shell/orvane_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The per-user profile (QSettings) of the editor.
  QApplication::setOrganizationName(QStringLiteral("Tarsel"));
  QApplication::setApplicationName(QStringLiteral("Orvane"));
  orvane::COrvaneApp app;
  app.show();
  return application.exec();
}
