// The reader monitor and token watch loops, Connect and the read step.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>

#include "app/dialog_state.h"

// 0 not running, 1 running, 2 stop requested.
extern std::atomic<int32_t> g_watchState;
// The reader chosen at Connect.
extern SharedText g_readerName;
// Per-placement flags: the token on the reader still has to be read / may still be burnt.
extern std::atomic<int32_t> g_readPending;
extern std::atomic<int32_t> g_burnPending;

// One pass of each loop.
int ReaderMonitorThread(Dialog& dlg);
int TokenWatchThread(Dialog& dlg);
// The read step: 1 when the token library reported success, else 0.
int ReadSerialAndTime(QString readerName, Dialog& dlg);

// Start-up's last step: starts the reader monitor loop.
void StartReaderMonitor(Dialog& dlg);
// Button 1019.
void OnConnect(Dialog& dlg);
// Shut-down: stops and joins both loops, serving UI requests while it waits.
void StopLoops(Dialog& dlg);
