#include "loops/loops.h"

std::atomic<int32_t> g_watchState{0};
SharedText g_readerName;
std::atomic<int32_t> g_readPending{0};
std::atomic<int32_t> g_burnPending{0};

int ReaderMonitorThread(Dialog&) { return 0; }
int TokenWatchThread(Dialog&) { return 0; }
int ReadSerialAndTime(QString, Dialog&) { return 0; }
void StartReaderMonitor(Dialog&) {}
void OnConnect(Dialog&) {}
void StopLoops(Dialog&) {}
