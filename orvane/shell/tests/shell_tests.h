#pragma once
// The test classes of the shell, run one after the other by one program
// under the offscreen platform.
#include <QObject>
#include <memory>
#include <vector>

namespace orvane::shell_tests {

std::unique_ptr<QObject> guiThreadCallsTest();
std::unique_ptr<QObject> promptTest();
std::unique_ptr<QObject> viewRowsTest();
std::unique_ptr<QObject> simScanTest();

}  // namespace orvane::shell_tests
