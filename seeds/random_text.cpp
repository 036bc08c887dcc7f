#include "seeds/random_text.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#ifdef _WIN32
// bcrypt.h needs the types of windows.h.
#include <windows.h>
//
#include <bcrypt.h>
#else
#include <sys/random.h>
#include <sys/types.h>

#include <cerrno>
#endif

namespace {

constexpr char kBase32Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
constexpr char kDigits[] = "0123456789";
constexpr size_t kSeedLength = 32;
constexpr size_t kDigitCount = 5;

// Fills the buffer from the operating system's cryptographic source; false if it cannot.
bool FillRandom(uint8_t* buffer, size_t count) {
#ifdef _WIN32
    return BCRYPT_SUCCESS(BCryptGenRandom(nullptr, buffer, static_cast<ULONG>(count),
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG));
#else
    size_t filled = 0;
    while (filled < count) {
        const ssize_t got = getrandom(buffer + filled, count - filled, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            break;
        }
        filled += static_cast<size_t>(got);
    }
    if (filled == count) return true;
    // Kernels without getrandom still have the device.
    FILE* device = std::fopen("/dev/urandom", "rb");
    if (device == nullptr) return false;
    const bool ok = std::fread(buffer + filled, 1, count - filled, device) == count - filled;
    std::fclose(device);
    return ok;
#endif
}

// Draws count characters uniformly from set (size at most 256). Bytes at or above the largest
// multiple of the set's size are drawn again, so that no character is favoured. Gives an empty
// text if the random source fails: a missing seed is refused later, a guessable one would not be.
std::string DrawText(const char* set, unsigned setSize, size_t count) {
    const unsigned limit = 256 - 256 % setSize;
    std::string text;
    text.reserve(count);
    std::vector<uint8_t> pool(count);
    while (text.size() < count) {
        if (!FillRandom(pool.data(), pool.size())) return {};
        for (uint8_t b : pool) {
            if (b < limit && text.size() < count) text.push_back(set[b % setSize]);
        }
    }
    return text;
}

}  // namespace

std::string RandomBase32Seed() {
    return DrawText(kBase32Alphabet, 32, kSeedLength);
}

std::string RandomDigits() {
    return DrawText(kDigits, 10, kDigitCount);
}
