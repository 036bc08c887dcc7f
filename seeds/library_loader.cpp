#include "seeds/library_loader.h"

#include <QFileInfo>

#ifdef _WIN32
#include <windows.h>

#include <QDir>
#else
#include <dlfcn.h>

#include <QFile>
#endif

void* LoadLibraryFromPath(const QString& path) {
    if (path.isEmpty()) return nullptr;
    const QString full = QFileInfo(path).absoluteFilePath();
#ifdef _WIN32
    const std::wstring wide = QDir::toNativeSeparators(full).toStdWString();
    return reinterpret_cast<void*>(LoadLibraryW(wide.c_str()));
#else
    // A path with a slash is loaded as that very file, never searched for.
    return dlopen(QFile::encodeName(full).constData(), RTLD_NOW | RTLD_LOCAL);
#endif
}

void* FindLibraryExport(void* library, const char* name) {
    if (library == nullptr) return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return dlsym(library, name);
#endif
}
