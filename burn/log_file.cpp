// The log file: one line per burn attempt, appended across runs, CR LF on every platform.
#include <cstdio>
#include <fstream>
#include <mutex>

#include "burn/burn_records.h"

namespace {

const char kLogFileName[] = "TamrekOndrelLog.txt";

// Written by the burn on the watch thread, opened and closed on the UI thread: the lock keeps
// a close at shut-down from meeting a line being written.
std::mutex g_logMutex;
std::ofstream g_logFile;

bool LogUsable() {
    return g_logFile.is_open() && !g_logFile.fail();
}

}  // namespace

void OpenLogFile(Dialog& dlg) {
    bool opened;
    {
        std::lock_guard<std::mutex> lock(g_logMutex);
        if (g_logFile.is_open()) g_logFile.close();
        // Binary, so that the CR LF we write stays CR LF on every platform.
        g_logFile.open(kLogFileName, std::ios::out | std::ios::app | std::ios::binary);
        if (!g_logFile.is_open()) g_logFile.setstate(std::ios::failbit);
        opened = LogUsable();
    }
    if (!opened) dlg.ui.MessageBox(QStringLiteral("Can't open log file!"));
}

void CloseLogFile() {
    std::lock_guard<std::mutex> lock(g_logMutex);
    if (LogUsable()) g_logFile.close();
}

void WriteLogStart(const std::string& timeStamp, const std::string& serial) {
    std::lock_guard<std::mutex> lock(g_logMutex);
    if (!LogUsable()) return;
    g_logFile << timeStamp << serial;
}

void WriteLogEnd(bool success) {
    std::lock_guard<std::mutex> lock(g_logMutex);
    if (!LogUsable()) return;
    g_logFile << (success ? " Success" : " fail") << "\r\n";
    g_logFile.flush();
}

std::string LogTimeStamp(std::time_t attemptTime) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &attemptTime);
#else
    localtime_r(&attemptTime, &local);
#endif
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d ", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}
