#include "qt_ui_port.h"

#include "main_frame.h"
#include "orvane_view.h"
#include "qt_text.h"

namespace orvane {

void QtUiPort::attach(CMainFrame& frame, COrvaneView& view) {
  frame_ = &frame;
  view_ = &view;
  attached_ = true;
}

void QtUiPort::refreshList(int row) {
  if (!attached_) return;
  GuiThreadCalls::post(view_, [view = view_, row] { view->refreshList(row); });
}

void QtUiPort::statusPosted() {
  if (!attached_) return;
  GuiThreadCalls::post(view_, [view = view_] { view->statusPosted(); });
}

void QtUiPort::setStatusText() {
  if (!attached_) return;
  GuiThreadCalls::post(frame_, [frame = frame_] { frame->setStatusText(); });
}

void QtUiPort::showVersions(std::uint8_t runMode, const ModuleVersionInfo& versions) {
  calls_.send([&] {
    if (frame_) frame_->showVersions(runMode, versions);
  });
}

void QtUiPort::showInterface(const std::string& interfaceName) {
  calls_.send([&] {
    if (frame_) frame_->showInterface(interfaceName);
  });
}

void QtUiPort::selectionState(int protocolType, std::uint8_t runMode) {
  calls_.send([&] {
    if (frame_) frame_->selectionState(protocolType, runMode);
  });
}

void QtUiPort::progress(int percent) {
  if (!attached_) return;
  GuiThreadCalls::post(view_, [view = view_, percent] { view->progressPosted(percent); });
}

void QtUiPort::busyIndicator(bool on) {
  if (!attached_) return;
  GuiThreadCalls::post(frame_, [frame = frame_, on] { frame->busyIndicator(on); });
}

void QtUiPort::portButton(const std::string& text, bool enabled) {
  if (!attached_) return;
  GuiThreadCalls::post(frame_, [frame = frame_, label = qtText(text), enabled] {
    frame->portButton(label, enabled);
  });
}

void QtUiPort::waitCursor(bool on) {
  if (!attached_) return;
  {
    std::lock_guard lock(cursorMutex_);
    if (!on && cursorDepth_ == 0) return;
    cursorDepth_ += on ? 1 : -1;
    if (cursorDepth_ != (on ? 1 : 0)) return;
  }
  GuiThreadCalls::post(frame_, [frame = frame_, on] { frame->waitCursor(on); });
}

void QtUiPort::setRowText(int row, int column, const std::string& text) {
  calls_.send([&] {
    if (view_) view_->setCellText(row, column, text);
  });
}

std::string QtUiPort::rowMacText(int row) {
  return calls_.send([&] { return view_ ? view_->rowMacText(row) : std::string(); });
}

}  // namespace orvane
