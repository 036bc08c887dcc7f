// Synchronous requests from background threads to the UI thread. A background thread queues a
// job and waits until the UI thread has run it or the queue has been closed; after closing,
// every request is refused at once. Qt Core free: the owner supplies the wake-up.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class UiRequests {
  public:
    using Job = std::function<void()>;

    // wakeUp runs, under the queue's lock, whenever a job is queued: it must only post.
    explicit UiRequests(std::function<void()> wakeUp) : wakeUp_(std::move(wakeUp)) {}
    UiRequests(const UiRequests&) = delete;
    UiRequests& operator=(const UiRequests&) = delete;

    // From a background thread: true when the job ran, false when it was refused.
    bool RunAndWait(Job job);
    // On the UI thread: runs the jobs queued so far, including those queued while it runs.
    void ServePending();
    // Refuses the pending jobs and every later one.
    void Close();
    // Runs action under the queue's lock unless closed; false when closed.
    bool IfOpen(const std::function<void()>& action);

    bool IsClosed() const;
    int PendingCount() const;

  private:
    struct Request {
        Job job;
        bool finished = false;
        bool ran = false;
    };

    std::function<void()> wakeUp_;
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<std::shared_ptr<Request>> queue_;
    bool closed_ = false;
};
