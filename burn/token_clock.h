// The token clock and sealing commands.
#pragma once

#include "app/dialog_state.h"

// Writes the current UTC time text into edit 1029.
void FillUtcTime(Dialog& dlg);
void OnCurrentTime(Dialog& dlg);  // 1030
void OnSetTime(Dialog& dlg);      // 1031
void OnSeal(Dialog& dlg);         // 1020
