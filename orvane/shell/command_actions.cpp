#include "command_actions.h"

#include <QAction>

namespace orvane {

void applyCommandState(const CommandActions& actions, const CommandContext& context) {
  for (const auto& [id, action] : actions) {
    if (!action) continue;
    action->setEnabled(commandEnabled(id, context));
    if (action->isCheckable()) action->setChecked(commandChecked(id, context));
  }
}

}  // namespace orvane
