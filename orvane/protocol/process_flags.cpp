#include "process_flags.h"

#include <algorithm>

namespace orvane {

ProcessFlags& processFlags() {
  static ProcessFlags flags;
  return flags;
}

void ProcessFlags::hold() {
  std::lock_guard lock(mutex_);
  holders_.push_back(std::this_thread::get_id());
  communicationBusy = true;
}

void ProcessFlags::letGo() {
  const auto self = std::this_thread::get_id();
  std::function<void()> close;
  {
    std::lock_guard lock(mutex_);
    const auto mine = std::find(holders_.rbegin(), holders_.rend(), self);
    if (mine != holders_.rend()) holders_.erase(std::next(mine).base());
    communicationBusy = !holders_.empty();
    const bool stillHeldHere = std::find(holders_.begin(), holders_.end(), self) != holders_.end();
    if (deferredClose_ && deferredOn_ == self && !stillHeldHere) close.swap(deferredClose_);
  }
  // Outside the lock: the close may start another wait or another operation.
  if (close) close();
}

bool ProcessFlags::deferCloseWhileHeldHere(std::function<void()> close) {
  const auto self = std::this_thread::get_id();
  std::lock_guard lock(mutex_);
  if (std::find(holders_.begin(), holders_.end(), self) == holders_.end()) return false;
  deferredClose_ = std::move(close);
  deferredOn_ = self;
  return true;
}

}  // namespace orvane
