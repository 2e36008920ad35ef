#include <QApplication>
#include <QTest>

#include "shell_tests.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  using namespace orvane::shell_tests;
  int failures = 0;
  for (auto make : {guiThreadCallsTest, promptTest, viewRowsTest, simScanTest}) {
    const auto test = make();
    failures += QTest::qExec(test.get(), argc, argv);
  }
  return failures == 0 ? 0 : 1;
}
