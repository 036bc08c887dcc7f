#include "token/token_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include "token/library_search.h"

TokenApi g_tokenApi = {};

const char* TokenLibraryFileName() {
#ifdef _WIN32
    return "Brasmid.dll";
#else
    return "libBrasmid.so";
#endif
}

std::string ProgramFolder() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, n);
    size_t slash = text.find_last_of("\\/");
#else
    char path[4096] = {};
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string text(path, n > 0 ? static_cast<size_t>(n) : 0);
    size_t slash = text.rfind('/');
#endif
    return slash == std::string::npos ? std::string() : text.substr(0, slash);
}

void* LoadLibraryFrom(const std::string& folder, const char* fileName) {
#ifdef _WIN32
    // The loader's own order already starts with the program's folder.
    if (!folder.empty()) {
        if (HMODULE own = LoadLibraryA((folder + "\\" + fileName).c_str())) return own;
    }
    return reinterpret_cast<void*>(LoadLibraryA(fileName));
#else
    if (!folder.empty()) {
        if (void* own = dlopen((folder + "/" + fileName).c_str(), RTLD_NOW | RTLD_LOCAL))
            return own;
    }
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
#endif
}

void* LoadTokenLibrary() {
    return LoadLibraryFrom(ProgramFolder(), TokenLibraryFileName());
}

namespace {
template <typename Pointer>
Pointer Resolve(void* library, const char* name) {
#ifdef _WIN32
    return reinterpret_cast<Pointer>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return reinterpret_cast<Pointer>(dlsym(library, name));
#endif
}
}  // namespace

void ResolveTokenApi(void* library, TokenApi& api) {
    api = {};
    if (!library) return;
    api.CardReadSnAndTime = Resolve<PFN_CardReadSnAndTime>(library, "CardReadSnAndTime");
    api.CardVerify = Resolve<PFN_CardVerify>(library, "CardVerify");
    api.CardSetTime = Resolve<PFN_CardSetTime>(library, "CardSetTime");
    api.CardBurnSeed = Resolve<PFN_CardBurnSeed>(library, "CardBurnSeed");
    api.CardSeal = Resolve<PFN_CardSeal>(library, "CardSeal");
}

void UnloadTokenLibrary(void*& library) {
    if (library) {
#ifdef _WIN32
        FreeLibrary(static_cast<HMODULE>(library));
#else
        dlclose(library);
#endif
    }
    library = nullptr;
}

QByteArray ToAnsi(const QString& text) {
#ifdef _WIN32
    if (text.isEmpty()) return QByteArray("");
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    int size = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    if (size <= 0) return QByteArray();
    QByteArray out(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
#else
    QByteArray out = text.toLocal8Bit();
    return out.isNull() ? QByteArray("") : out;
#endif
}

QString FromAnsi(const char* text) {
    if (!text) return QString();
#ifdef _WIN32
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) return QString();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    return QString::fromWCharArray(wide.c_str());
#else
    return QString::fromLocal8Bit(text);
#endif
}

namespace {
// A text that could not be converted reaches the library as a null pointer, which it refuses.
const char* Ansi(const QByteArray& text) {
    return text.isNull() ? nullptr : text.constData();
}
}  // namespace

int CallCardReadSnAndTime(const QString& reader, char* serial, int* serialLen, char* time,
                          int* timeLen) {
    PFN_CardReadSnAndTime call =
        g_tokenApi.CardReadSnAndTime;  // read once: never call what was not resolved
    if (!call) return -1;
    QByteArray name = ToAnsi(reader);
    return call(Ansi(name), serial, serialLen, time, timeLen);
}

int CallCardVerify(const QString& reader, const QString& key) {
    PFN_CardVerify call = g_tokenApi.CardVerify;  // read once: never call what was not resolved
    if (!call) return -1;
    QByteArray name = ToAnsi(reader);
    QByteArray keyText = ToAnsi(key);
    return call(Ansi(name), Ansi(keyText));
}

int CallCardSetTime(const QString& reader, const QString& key, const QString& utcTime) {
    PFN_CardSetTime call = g_tokenApi.CardSetTime;  // read once: never call what was not resolved
    if (!call) return -1;
    QByteArray name = ToAnsi(reader);
    QByteArray keyText = ToAnsi(key);
    QByteArray timeText = ToAnsi(utcTime);
    return call(Ansi(name), Ansi(keyText), Ansi(timeText));
}

int CallCardBurnSeed(const QString& reader, const QString& key, unsigned char* seed, int seedLen) {
    PFN_CardBurnSeed call = g_tokenApi.CardBurnSeed;  // read once: never call what was not resolved
    if (!call) return -1;
    QByteArray name = ToAnsi(reader);
    QByteArray keyText = ToAnsi(key);
    return call(Ansi(name), Ansi(keyText), seed, seedLen);
}

int CallCardSeal(const QString& reader, const QString& key) {
    PFN_CardSeal call = g_tokenApi.CardSeal;  // read once: never call what was not resolved
    if (!call) return -1;
    QByteArray name = ToAnsi(reader);
    QByteArray keyText = ToAnsi(key);
    return call(Ansi(name), Ansi(keyText));
}
