// Arming a burn and the burn procedure.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/dialog_state.h"

extern std::atomic<int32_t> g_totalCount;
extern std::atomic<int32_t> g_successCount;
extern std::atomic<int32_t> g_failCount;

// Button 1015: arms or disarms one burn.
void OnBurnSeed(Dialog& dlg);
// Burns the token on the reader; run by the token watch loop on its thread.
void BurnCurrentToken(Dialog& dlg);
