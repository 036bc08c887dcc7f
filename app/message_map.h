// Which handler takes each command of the main window.
#pragma once

#include "app/dialog_state.h"

using CommandHandler = void (*)(Dialog& dlg);

// The handler of a control's click or a menu command; null for commands without one.
CommandHandler FindCommandHandler(int id);

// Button 1017: empties the log list; counters and files stay as they are.
void OnClearLog(Dialog& dlg);
