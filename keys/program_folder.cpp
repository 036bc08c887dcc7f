#include "keys/program_folder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::mutex g_overrideMutex;
QString g_overrideFolder;

QString ExecutableFolder() {
#ifdef _WIN32
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return QFileInfo(QString::fromWCharArray(path, int(length))).absolutePath();
#else
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
#endif
}

}  // namespace

QString ProgramFolder() {
    {
        std::lock_guard<std::mutex> lock(g_overrideMutex);
        if (!g_overrideFolder.isEmpty())
            return QString(g_overrideFolder.constData(), g_overrideFolder.size());
    }
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return ExecutableFolder();
}

void OverrideProgramFolder(const QString& folder) {
    QString copy(folder.constData(), folder.size());
    std::lock_guard<std::mutex> lock(g_overrideMutex);
    g_overrideFolder.swap(copy);
}
