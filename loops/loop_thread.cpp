#include "loops/loop_thread.h"

#include <system_error>

namespace {
std::atomic<bool> g_failStarts{false};
}

LoopThread::~LoopThread() {
    RequestStop();
    Join();
}

void LoopThread::FailStartsForTesting(bool fail) {
    g_failStarts.store(fail);
}

bool LoopThread::Start(Pass pass, std::chrono::milliseconds pause) {
    if (thread_.joinable() || g_failStarts.load()) return false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = false;
    }
    running_.store(true);
    try {
        thread_ = std::thread(&LoopThread::Run, this, std::move(pass), pause);
    } catch (const std::system_error&) {
        running_.store(false);
        return false;
    }
    return true;
}

void LoopThread::RequestStop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
}

void LoopThread::Join() {
    if (thread_.joinable()) thread_.join();
}

void LoopThread::Run(Pass pass, std::chrono::milliseconds pause) {
    while (pass() && Pause(pause)) {
    }
    running_.store(false);
}

bool LoopThread::Pause(std::chrono::milliseconds pause) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_for(lock, pause, [this] { return stopRequested_; });
    return !stopRequested_;
}
