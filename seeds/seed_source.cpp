#include "seeds/seed_source.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

#include "keys/hex.h"
#include "res/resource.h"
#include "seeds/base32.h"
#include "seeds/library_loader.h"

std::map<std::u16string, std::u16string> g_seedMap;
std::atomic<int> g_seedSource{kSeedSourceNone};
void* g_hSeedLibrary = nullptr;
PFN_GetSeed g_pfnGetSeed = nullptr;
std::mutex g_seedLock;

namespace {

constexpr int kDecodeBufferSize = 128;
// The decoder writes 5 bytes per started group of 8 characters and does not check the buffer:
// a longer text could overrun it, so it decodes to nothing instead.
constexpr size_t kLongestSeedText = 8 * (kDecodeBufferSize / 5);

#if defined(_WIN32)
const char* const kSeedFileFilter =
    "Txt Files (*.txt)|*.txt|Dll Files(*.dll)|*.dll|All Files (*.*)|*.*||";
const char* const kPlatformLibraryExtension = ".DLL";
#elif defined(__APPLE__)
const char* const kSeedFileFilter =
    "Txt Files (*.txt)|*.txt|Dll Files(*.dll)|*.dll|Dynamic Libraries (*.dylib)|*.dylib|"
    "All Files (*.*)|*.*||";
const char* const kPlatformLibraryExtension = ".DYLIB";
#else
const char* const kSeedFileFilter =
    "Txt Files (*.txt)|*.txt|Dll Files(*.dll)|*.dll|Shared Libraries (*.so)|*.so|"
    "All Files (*.*)|*.*||";
const char* const kPlatformLibraryExtension = ".SO";
#endif

const char* const kLibraryLoadFailed = "Failed to load dynamic library!";

// The serial in the system's 8-bit encoding, a byte-order mark included: the mark is part of the
// first serial of a file that starts with one.
std::u16string WidenSerial(const QByteArray& serial) {
    QStringDecoder decoder(QStringDecoder::System, QStringConverter::Flag::ConvertInitialBom);
    const QString wide = decoder.decode(serial);
    return wide.toStdU16String();
}

// One line of a seed file, its line end already removed: "serial seed", split at the first blank.
void StoreSeedLine(const QByteArray& line, uint8_t* buffer) {
    const qsizetype blank = line.indexOf(' ');
    if (blank < 0) return;
    const QByteArray serial = line.left(blank);
    const QByteArray seedText = line.mid(blank + 1);  // zero-terminated, as the decoder needs

    int count = 0;
    if (qstrlen(seedText.constData()) <= kLongestSeedText)
        count = std::clamp(Base32Decode(seedText.constData(), buffer), 0, kDecodeBufferSize);
    std::u16string hex;
    BytesToHex(count, buffer, hex);
    g_seedMap[WidenSerial(serial)] = hex;
}

// The window shows the members again, as the data exchange does towards the controls.
void RefreshBoundFields(Dialog& dlg) {
    dlg.ui.SetText(IDC_SEEDS_FILE_PATH, dlg.state.m_strSeedFile.Get());
    dlg.ui.SetText(IDC_SERIAL, dlg.state.m_strSerial.Get());
    dlg.ui.SetText(IDC_TIME, dlg.state.m_strTime.Get());
    dlg.ui.SetText(IDC_STATUS, dlg.state.m_strStatus.Get());
}

// The burn procedure may hold the seed lock while it waits for the UI thread to serve one of its
// window requests, so the UI thread keeps serving them while it waits for the lock.
std::unique_lock<std::mutex> LockSeedsServingWindow(WindowOps& ui) {
    std::unique_lock<std::mutex> lock(g_seedLock, std::try_to_lock);
    while (!lock.owns_lock()) {
        ui.ServePendingRequests();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        lock.try_lock();
    }
    return lock;
}

bool IsLibraryExtension(const QString& extension) {
    return extension == QLatin1String(".DLL") ||
           extension == QLatin1String(kPlatformLibraryExtension);
}

// Makes the library at path the seed source. False when it cannot be loaded or lacks GetSeed.
bool ChooseSeedLibrary(Dialog& dlg, const QString& path) {
    auto lock = LockSeedsServingWindow(dlg.ui);
    g_seedSource = kSeedSourceLibrary;
    // An earlier library stays loaded, and so does its GetSeed until a library that loads
    // replaces it.
    g_hSeedLibrary = LoadLibraryFromPath(path);
    if (g_hSeedLibrary == nullptr) return false;
    g_pfnGetSeed = reinterpret_cast<PFN_GetSeed>(FindLibraryExport(g_hSeedLibrary, "GetSeed"));
    return g_pfnGetSeed != nullptr;
}

}  // namespace

bool LoadSeedFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;

    g_seedMap.clear();
    uint8_t buffer[kDecodeBufferSize] = {};
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.isEmpty()) break;  // a read error: keep what was read
        if (line.endsWith('\n')) {
            line.chop(1);
            if (line.endsWith('\r')) line.chop(1);
        }
        StoreSeedLine(line, buffer);
    }
    return true;
}

void OnSelectSeedsFile(Dialog& dlg) {
    const QString path = dlg.ui.OpenFileDialog(QString::fromLatin1(kSeedFileFilter));
    dlg.state.m_strSeedFile.Set(path);
    RefreshBoundFields(dlg);
    if (path.isEmpty()) return;

    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return;
    const QString extension = path.mid(dot).toUpper();

    if (IsLibraryExtension(extension)) {
        // The message comes after the lock is given back, so a burn need not wait for the
        // operator to close it.
        if (!ChooseSeedLibrary(dlg, path))
            dlg.ui.MessageBox(QString::fromLatin1(kLibraryLoadFailed));
    } else if (extension == QLatin1String(".TXT")) {
        auto lock = LockSeedsServingWindow(dlg.ui);
        g_seedSource = kSeedSourceMap;
        LoadSeedFile(path);
    }
}
