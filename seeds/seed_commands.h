// The small commands around the seed field, and the two web links.
#pragma once

#include "app/dialog_state.h"

void OnClearSeed(Dialog& dlg);            // 1037
void OnRandomSeed(Dialog& dlg);           // 1039
void OnSaveCsvClicked(Dialog& dlg);       // 1042
void OnTestCurrentSeed(Dialog& dlg);      // 1040
void OnOnlineDocumentation(Dialog& dlg);  // 1044
