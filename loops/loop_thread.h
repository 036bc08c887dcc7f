// A background loop on one long-lived thread: runs a pass, pauses, runs the next pass, until a
// pass ends the loop or the owner asks it to stop.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class LoopThread {
  public:
    // A pass returns false to end the loop.
    using Pass = std::function<bool()>;

    LoopThread() = default;
    LoopThread(const LoopThread&) = delete;
    LoopThread& operator=(const LoopThread&) = delete;
    ~LoopThread();

    // Starts the loop; false when the thread could not be started (the loop then does not run).
    // The previous run must have been joined.
    bool Start(Pass pass, std::chrono::milliseconds pause);
    // True from Start until the loop's thread has finished its last pass.
    bool Running() const { return running_.load(); }
    // The loop ends after the pass in progress, or at once when it is pausing.
    void RequestStop();
    // Waits for the thread to end; harmless when none was started.
    void Join();

    // Makes every later Start fail, as when the system has no thread to give.
    static void FailStartsForTesting(bool fail);

  private:
    void Run(Pass pass, std::chrono::milliseconds pause);
    // Pauses; false when a stop was requested.
    bool Pause(std::chrono::milliseconds pause);

    std::thread thread_;
    std::atomic<bool> running_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopRequested_ = false;
};
