#include "tool_bar_ex.h"

#include <QAction>
#include <QToolButton>

namespace orvane {

CToolBarEx::CToolBarEx(const QString& title, QWidget* parent) : QToolBar(title, parent) {
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(16, 15));
}

void CToolBarEx::setButtonText(QAction* action, const QString& text) {
  action->setIconText(text);
}

void CToolBarEx::equaliseButtons() {
  QList<QToolButton*> buttons;
  for (QAction* action : actions())
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) buttons.append(button);
  if (buttons.isEmpty()) return;
  // The buttons of the row share one size, which fits the longest label.
  buttonSize_ = buttons.front()->sizeHint();
  for (QToolButton* button : buttons) buttonSize_ = buttonSize_.expandedTo(button->sizeHint());
  for (QToolButton* button : buttons) button->setFixedSize(buttonSize_);
}

}  // namespace orvane
