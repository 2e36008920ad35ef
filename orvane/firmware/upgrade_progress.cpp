#include "upgrade_progress.h"

namespace orvane {

void UpgradeProgress::report(int percent) {
  latest_ = percent;
  ui_.progress(percent);
}

}  // namespace orvane
