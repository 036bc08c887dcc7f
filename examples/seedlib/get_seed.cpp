// The seed library's export: the seed of a token, derived from its serial number and the master
// secret in the file beside this library. The file is read for every call, so a new secret takes
// effect at the next burn.
#include <cstring>
#include <filesystem>

#include "seed_derivation.h"

#ifdef _WIN32
#include <windows.h>
#define SEEDLIB_EXPORT extern "C" __declspec(dllexport)
#else
#include <dlfcn.h>
#define SEEDLIB_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

// What GetSeed returns besides 0 (a seed was written).
enum : int {
    kBadArguments = 1,
    kNoMasterSecret = 2,
    kBufferTooSmall = 3,
    kDerivationFailed = 4,
};

// The longest serial number taken; the program passes at most 31 characters.
constexpr int kLongestSerial = 255;

// The folder that this library was loaded from.
std::filesystem::path LibraryFolder() {
#ifdef _WIN32
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&LibraryFolder), &self))
        return {};
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(self, path, DWORD(std::size(path)));
    if (length == 0 || length >= std::size(path)) return {};
    return std::filesystem::path(std::wstring(path, length)).parent_path();
#else
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return std::filesystem::absolute(info.dli_fname).parent_path();
#endif
}

}  // namespace

SEEDLIB_EXPORT int GetSeed(const char* serial, int serialLen, unsigned char* seed, int* seedLen) {
    if (serial == nullptr || seed == nullptr || seedLen == nullptr || serialLen <= 0 ||
        serialLen > kLongestSerial)
        return kBadArguments;
    if (*seedLen < int(kDerivedSeedSize)) return kBufferTooSmall;

    const std::filesystem::path folder = LibraryFolder();
    if (folder.empty()) return kNoMasterSecret;
    std::vector<uint8_t> master = ReadMasterSecret(folder / kMasterSecretFileName);
    if (master.empty()) return kNoMasterSecret;

    const bool derived = DeriveSeed(master, std::string_view(serial, size_t(serialLen)), seed);
    WipeSecret(master.data(), master.size());
    if (!derived) return kDerivationFailed;
    *seedLen = int(kDerivedSeedSize);
    return 0;
}
