#include "tests/loops/scripted_stack.h"

#include <QByteArray>
#include <cstring>

namespace {

std::mutex g_mutex;
int g_result = 0;
QByteArray g_serial, g_clock, g_lastReader;
std::atomic<int> g_reads{0};

int ScriptedRead(const char* reader, char* serial, int* serialLen, char* time, int* timeLen) {
    ++g_reads;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lastReader = reader;
    std::memcpy(serial, g_serial.constData(), std::min<size_t>(g_serial.size(), *serialLen));
    std::memcpy(time, g_clock.constData(), std::min<size_t>(g_clock.size(), *timeLen));
    return g_result;
}

}  // namespace

ScriptedTokenLibrary::ScriptedTokenLibrary() {
    Answer(0, "1234567890", "2026-12-11 15:00:00");
    g_reads = 0;
    g_tokenApi = {};
    g_tokenApi.CardReadSnAndTime = &ScriptedRead;
}

ScriptedTokenLibrary::~ScriptedTokenLibrary() {
    g_tokenApi = {};
}

void ScriptedTokenLibrary::Answer(int result, const QByteArray& serial, const QByteArray& clock) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_result = result;
    g_serial = serial;
    g_clock = clock;
}

int ScriptedTokenLibrary::reads() {
    return g_reads.load();
}

QByteArray ScriptedTokenLibrary::lastReader() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return QByteArray(g_lastReader.constData(), g_lastReader.size());  // not a shared buffer
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
