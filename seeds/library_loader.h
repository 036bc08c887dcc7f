// Loading a dynamic library from a full path with the platform's own loader.
#pragma once

#include <QString>

// Loads the library at path (made absolute first, so the system's search path never decides
// which file is loaded). Null when it cannot be loaded. The library is never unloaded.
void* LoadLibraryFromPath(const QString& path);

// Address of the export with this plain name, null when the library has none.
void* FindLibraryExport(void* library, const char* name);
