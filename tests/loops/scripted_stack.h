// Scripted PC/SC operations and a scripted token library, for driving the loops without a daemon.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "token/reader_access.h"
#include "token/token_api.h"

// Readers and tokens as the test lays them out; every call is recorded.
class ScriptedPcsc : public ReaderAccess {
  public:
    ScriptedPcsc() { SetReaderAccess(this); }
    ~ScriptedPcsc() override { SetReaderAccess(nullptr); }

    void SetListing(int result, const QString& listing) {
        std::lock_guard<std::mutex> lock(mutex_);
        listResult_ = result;
        listing_ = listing;
    }
    void LayToken(const QString& reader) {
        std::lock_guard<std::mutex> lock(mutex_);
        tokens_.insert(reader);
    }
    void LiftToken(const QString& reader) {
        std::lock_guard<std::mutex> lock(mutex_);
        tokens_.erase(reader);
    }
    // Runs inside every Connect, before it answers (e.g. to block the pass there).
    void OnConnect(std::function<void()> hook) {
        std::lock_guard<std::mutex> lock(mutex_);
        connectHook_ = std::move(hook);
    }
    // A deep copy: Qt's shared buffers must not be handed between threads while one appends.
    QStringList connectedNames() {
        std::lock_guard<std::mutex> lock(mutex_);
        QStringList copy;
        for (const QString& name : connected_) copy.append(QString(name.constData(), name.size()));
        return copy;
    }
    int lists() const { return lists_.load(); }
    int releases() const { return releases_.load(); }
    int mostConnectsAtOnce() const { return mostAtOnce_.load(); }

    int List(QString& text) override {
        ++lists_;
        std::lock_guard<std::mutex> lock(mutex_);
        if (listResult_ == 0) text += listing_;
        return listResult_;
    }
    intptr_t Connect(const QString& name) override {
        const int atOnce = ++inConnect_;
        for (int most = mostAtOnce_.load(); atOnce > most;)
            mostAtOnce_.compare_exchange_weak(most, atOnce);
        std::function<void()> hook;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            hook = connectHook_;
        }
        if (hook) hook();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard<std::mutex> lock(mutex_);
        connected_.append(name);
        --inConnect_;
        return tokens_.count(name) ? 42 : -1;
    }
    void Release() override { ++releases_; }

  private:
    std::mutex mutex_;
    int listResult_ = -1;
    QString listing_;
    std::set<QString> tokens_;
    std::function<void()> connectHook_;
    QStringList connected_;
    std::atomic<int> lists_{0}, releases_{0}, inConnect_{0}, mostAtOnce_{0};
};

// The token library's read entry point, answering with the serial and clock set here. Installs
// itself in g_tokenApi and takes itself out again.
class ScriptedTokenLibrary {
  public:
    ScriptedTokenLibrary();
    ~ScriptedTokenLibrary();

    // What the next reads answer: result, and the bytes put into the serial and clock areas
    // (copied as given, without adding a terminating zero).
    static void Answer(int result, const QByteArray& serial, const QByteArray& clock);
    static int reads();
    static QByteArray lastReader();
};

// Polls until the condition holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(3));
