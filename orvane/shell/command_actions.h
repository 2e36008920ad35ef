#pragma once
// The one place where the windows take the enabled and checked state of
// their commands: every action known by its command id gets it from the
// tested rules of command_enabling.h. The menus, the toolbar and the context
// menu all go through here.
#include <map>

#include "orvane/protocol/command_enabling.h"

class QAction;

namespace orvane {

using CommandActions = std::map<int, QAction*>;

void applyCommandState(const CommandActions& actions, const CommandContext& context);

}  // namespace orvane
