#include "seed_derivation.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::vector<uint8_t> ReadMasterSecret(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    std::vector<uint8_t> secret;
    int high = -1;
    bool valid = true;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            valid = false;
            break;
        }
        if (high < 0) {
            high = digit;
        } else {
            secret.push_back(uint8_t(high * 16 + digit));
            high = -1;
        }
    }
    valid = valid && high < 0 && secret.size() >= kMinMasterSecretSize &&
            secret.size() <= kMaxMasterSecretSize;
    WipeSecret(text.data(), text.size());
    if (!valid) {
        WipeSecret(secret.data(), secret.size());
        return {};
    }
    return secret;
}

bool DeriveSeed(const std::vector<uint8_t>& master, std::string_view serial, uint8_t* seed) {
    if (serial.empty() || master.empty()) return false;
    unsigned char mac[EVP_MAX_MD_SIZE];
    unsigned int macLen = 0;
    if (HMAC(EVP_sha256(), master.data(), int(master.size()),
             reinterpret_cast<const unsigned char*>(serial.data()), serial.size(), mac,
             &macLen) == nullptr ||
        macLen < kDerivedSeedSize)
        return false;
    for (size_t i = 0; i < kDerivedSeedSize; ++i) seed[i] = mac[i];
    WipeSecret(mac, sizeof mac);
    return true;
}

std::string ToBase32(const uint8_t* bytes, size_t count) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
    std::string text;
    uint32_t bits = 0;
    int pending = 0;
    for (size_t i = 0; i < count; ++i) {
        bits = (bits << 8) | bytes[i];
        pending += 8;
        while (pending >= 5) {
            text += kAlphabet[(bits >> (pending - 5)) & 31];
            pending -= 5;
        }
    }
    if (pending > 0) text += kAlphabet[(bits << (5 - pending)) & 31];
    return text;
}

void WipeSecret(void* bytes, size_t count) {
    if (bytes != nullptr && count > 0) OPENSSL_cleanse(bytes, count);
}
