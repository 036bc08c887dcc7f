// Scripted PC/SC operations for the loops' tests: listings and connection results set by the
// test instead of pcscd. Installs itself through SetReaderAccess and restores the real ones when
// destroyed. Safe to use from the loops' threads.
#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <deque>
#include <map>
#include <mutex>

#include "token/reader_access.h"

class ScriptedReaders : public ReaderAccess {
  public:
    ScriptedReaders() { SetReaderAccess(this); }
    ~ScriptedReaders() override { SetReaderAccess(nullptr); }

    // What every listing gives from now on: the result and, on 0, the names (each gets "[E]").
    void SetReaders(const QStringList& names);
    void SetListingFails();  // -1, nothing listed
    // Listings to give first, one per call, before the standing one (result, text as appended).
    void QueueListing(int result, const QString& text);
    // Whether a token lies on the named reader: Connect gives a handle, else -1.
    void SetToken(const QString& reader, bool present);

    int List(QString& text) override;
    intptr_t Connect(const QString& name) override;
    void Release() override;

    int ListCalls() const { return listCalls_; }
    int ConnectCalls() const { return connectCalls_; }
    int ReleaseCalls() const { return releaseCalls_; }
    QString LastConnected() const;

  private:
    mutable std::mutex lock_;
    int standingResult_ = -1;
    QString standingText_;
    std::deque<std::pair<int, QString>> queued_;
    std::map<QString, bool> tokens_;
    QString lastConnected_;
    intptr_t nextHandle_ = 1000;
    std::atomic<int> listCalls_{0};
    std::atomic<int> connectCalls_{0};
    std::atomic<int> releaseCalls_{0};
};
