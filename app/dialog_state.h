// The dialog state record that the loops, the burn, the seeds and the keys share with the window.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "app/window_ops.h"

// A text shared between threads: copied in and out under its own lock, never read while replaced.
class SharedText {
public:
    SharedText() = default;
    SharedText(const SharedText&) = delete;
    SharedText& operator=(const SharedText&) = delete;

    QString Get() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return QString(text_.constData(), text_.size());  // deep copy, no shared buffer
    }
    void Set(const QString& text) {
        QString copy(text.constData(), text.size());
        std::lock_guard<std::mutex> lock(mutex_);
        text_.swap(copy);
    }
    bool IsEmpty() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return text_.isEmpty();
    }

private:
    mutable std::mutex mutex_;
    QString text_;
};

struct DialogState {
    SharedText m_strSeedFile;          // bound to 1001
    SharedText m_strSerial;            // bound to 1006
    SharedText m_strTime;              // bound to 1007
    SharedText m_strStatus;            // bound to 1016
    std::atomic<int32_t> m_bBurning{0};
    void* m_hTokenLib = nullptr;       // UI thread only: loaded at start-up, released at destroy
};

// What every handler and loop pass works with: the window's operations and its state record.
struct Dialog {
    WindowOps& ui;
    DialogState& state;
};
