#pragma once
// A flat toolbar whose buttons show a text label under their image. Once the
// texts are set every button takes one size, wide enough for the longest
// label, so that the row reads as one set of equal buttons.
#include <QToolBar>

namespace orvane {

class CToolBarEx final : public QToolBar {
  Q_OBJECT

 public:
  explicit CToolBarEx(const QString& title, QWidget* parent = nullptr);

  // The label of an action's button.
  void setButtonText(QAction* action, const QString& text);
  // Every button takes the size that fits the longest label.
  void equaliseButtons();
  QSize buttonSize() const { return buttonSize_; }

 private:
  QSize buttonSize_;
};

}  // namespace orvane
