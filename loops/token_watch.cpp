// The token watch pass and its read step.
#include <QByteArray>
#include <cstring>
#include <thread>

#include "burn/burn_procedure.h"
#include "loops/loop_passes.h"
#include "loops/loops.h"
#include "token/reader_access.h"
#include "token/token_library.h"

std::atomic<int32_t> g_watchState{0};
SharedText g_readerName;
std::atomic<int32_t> g_readPending{0};
std::atomic<int32_t> g_burnPending{0};

namespace {

constexpr int kSerialAreaSize = 32;
constexpr int kClockAreaSize = 64;
constexpr intptr_t kNoConnection = -1;

// The area as zero-terminated text; a library that fills it to the brim is not read beyond it.
QString AreaText(const char* area, size_t size) {
    return FromAnsi(QByteArray(area, qsizetype(strnlen(area, size))).constData());
}

}  // namespace

int ReadSerialAndTime(QString readerName, Dialog& dlg) {
    char serial[kSerialAreaSize] = {};
    char clock[kClockAreaSize] = {};
    int serialLength = kSerialAreaSize;
    int clockLength = kClockAreaSize;

    // Without the token library there is nothing to call: the read fails.
    int result = -1;
    if (g_tokenApi.CardReadSnAndTime != nullptr) {
        const QByteArray reader = ToAnsi(readerName);
        result = g_tokenApi.CardReadSnAndTime(reader.constData(), serial, &serialLength, clock,
                                              &clockLength);
    }
    dlg.state.m_strSerial.Set(result == 0 ? AreaText(serial, sizeof serial) : QString());
    dlg.state.m_strTime.Set(result == 0 ? AreaText(clock, sizeof clock) : QString());

    std::this_thread::sleep_for(kPassPause);
    dlg.ui.PostUpdateView();
    return result == 0 ? 1 : 0;
}

bool TokenWatchPass(Dialog& dlg) {
    if (g_watchState.load() == 2) {
        g_watchState.store(0);
        return false;
    }

    Readers().Release();
    if (Readers().Connect(g_readerName.Get()) == kNoConnection) {
        // No token: the next one laid on is read at once and may be burnt once.
        g_readPending.store(1);
        g_burnPending.store(1);
        dlg.state.m_strSerial.Set(QString());
        dlg.state.m_strTime.Set(QString());
        dlg.ui.PostUpdateView();
    } else {
        if (g_readPending.load() == 1 && ReadSerialAndTime(g_readerName.Get(), dlg) == 1)
            g_readPending.store(0);
        if (g_burnPending.load() == 1 && dlg.state.m_bBurning.load() == 1 &&
            !dlg.state.m_strSerial.IsEmpty())
            BurnCurrentToken(dlg);
    }
    Readers().Release();
    return true;
}

int TokenWatchThread(Dialog& dlg) {
    TokenWatchPass(dlg);
    return 0;
}
