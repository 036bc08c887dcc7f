// Starting and stopping the loops: start-up, Connect and shut-down, all on the UI thread.
#include <thread>

#include "loops/loop_passes.h"
#include "loops/loop_thread.h"
#include "loops/loops.h"
#include "res/resource.h"

namespace {

LoopThread g_monitorLoop;
LoopThread g_watchLoop;
// Set while Connect waits: serving requests must not let a second Connect in.
bool g_connectInProgress = false;

// Serves the UI requests of the passes while the given loop's thread winds down.
void WaitServing(WindowOps& ui, const std::function<bool()>& stillWaiting) {
    while (stillWaiting()) {
        ui.ServePendingRequests();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace

void StartReaderMonitor(Dialog& dlg) {
    if (g_monitorLoop.Running()) return;
    g_monitorLoop.Join();
    // A loop that cannot be started ends there, without a message.
    g_monitorLoop.Start(
        [dlg]() mutable {
            ReaderMonitorThread(dlg);
            return true;
        },
        kPassPause);
}

void OnConnect(Dialog& dlg) {
    if (g_connectInProgress) return;
    const int selected = dlg.ui.ComboSelected(IDC_READERS);
    if (selected == -1) {
        dlg.ui.MessageBox(kSelectReaderMessage);
        return;
    }
    g_connectInProgress = true;
    g_readerName.Set(dlg.ui.ComboText(IDC_READERS, selected));

    if (g_watchState.load() == 1) {
        g_watchState.store(2);
        // A loop whose thread is gone gives no acknowledgement: stop waiting for it.
        WaitServing(dlg.ui, [] { return g_watchState.load() == 2 && g_watchLoop.Running(); });
    }
    g_watchLoop.Join();

    // The token on the newly chosen reader is a placement of its own: read it before anything
    // may burn it, rather than go on with the serial number read on the old reader.
    g_readPending.store(1);
    g_burnPending.store(1);
    g_watchState.store(1);
    const bool started =
        g_watchLoop.Start([dlg]() mutable { return TokenWatchPass(dlg); }, kPassPause);
    g_connectInProgress = false;
    if (!started) {
        g_watchState.store(0);
        return;
    }
    dlg.ui.MessageBox(kConnectDoneMessage);
}

void StopLoops(Dialog& dlg) {
    g_monitorLoop.RequestStop();
    g_watchLoop.RequestStop();
    WaitServing(dlg.ui, [] { return g_monitorLoop.Running() || g_watchLoop.Running(); });
    g_monitorLoop.Join();
    g_watchLoop.Join();
    g_watchState.store(0);
}
