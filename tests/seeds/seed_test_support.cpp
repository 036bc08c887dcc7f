#include "tests/seeds/seed_test_support.h"

#include <QDir>
#include <QFile>

#include "seeds/seed_source.h"

void ResetSeedState() {
    std::lock_guard<std::mutex> lock(g_seedLock);
    g_seedMap.clear();
    g_seedSource = kSeedSourceNone;
    g_hSeedLibrary = nullptr;
    g_pfnGetSeed = nullptr;
}

// No dots in the folder's path, so that only the file names decide the extensions.
ScratchFolder::ScratchFolder() : dir_(QDir::tempPath() + "/ondrelseedsXXXXXX") {}

QString ScratchFolder::Write(const QString& name, const QByteArray& bytes) const {
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
}

QString ScratchFolder::Copy(const QString& from, const QString& name) const {
    const QString path = dir_.filePath(name);
    return QFile::copy(from, path) ? path : QString();
}
