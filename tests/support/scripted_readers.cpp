#include "tests/support/scripted_readers.h"

#include <QStringList>

void ScriptedReaders::SetReaders(const QStringList& names) {
    std::lock_guard<std::mutex> guard(lock_);
    standingResult_ = 0;
    standingText_.clear();
    for (const QString& name : names) standingText_ += name + QStringLiteral("[E]");
}

void ScriptedReaders::SetListingFails() {
    std::lock_guard<std::mutex> guard(lock_);
    standingResult_ = -1;
    standingText_.clear();
}

void ScriptedReaders::QueueListing(int result, const QString& text) {
    std::lock_guard<std::mutex> guard(lock_);
    queued_.emplace_back(result, text);
}

void ScriptedReaders::SetToken(const QString& reader, bool present) {
    std::lock_guard<std::mutex> guard(lock_);
    tokens_[reader] = present;
}

int ScriptedReaders::List(QString& text) {
    ++listCalls_;
    std::lock_guard<std::mutex> guard(lock_);
    std::pair<int, QString> listing{standingResult_, standingText_};
    if (!queued_.empty()) {
        listing = queued_.front();
        queued_.pop_front();
    }
    if (listing.first == 0) text += listing.second;
    return listing.first;
}

intptr_t ScriptedReaders::Connect(const QString& name) {
    ++connectCalls_;
    std::lock_guard<std::mutex> guard(lock_);
    lastConnected_ = QString(name.constData(), name.size());
    auto found = tokens_.find(name);
    if (found == tokens_.end() || !found->second) return -1;
    return nextHandle_++;
}

void ScriptedReaders::Release() {
    ++releaseCalls_;
}

QString ScriptedReaders::LastConnected() const {
    std::lock_guard<std::mutex> guard(lock_);
    return QString(lastConnected_.constData(), lastConnected_.size());
}
