#include "app/ui_requests.h"

bool UiRequests::RunAndWait(Job job) {
    auto request = std::make_shared<Request>();
    request->job = std::move(job);
    std::unique_lock<std::mutex> lock(mutex_);
    if (closed_) return false;
    queue_.push_back(request);
    // Posting under the lock: the owner cannot close (and go away) between queueing and waking.
    wakeUp_();
    finished_.wait(lock, [&] { return request->finished; });
    return request->ran;
}

void UiRequests::ServePending() {
    for (;;) {
        std::shared_ptr<Request> request;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (queue_.empty()) return;
            request = queue_.front();
            queue_.pop_front();
        }
        // Outside the lock: a job may open a modal box, inside which further requests are served.
        request->job();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            request->finished = true;
            request->ran = true;
        }
        finished_.notify_all();
    }
}

void UiRequests::Close() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        for (auto& request : queue_) request->finished = true;
        queue_.clear();
    }
    finished_.notify_all();
}

bool UiRequests::IfOpen(const std::function<void()>& action) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    action();
    return true;
}

bool UiRequests::IsClosed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
}

int UiRequests::PendingCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(queue_.size());
}
