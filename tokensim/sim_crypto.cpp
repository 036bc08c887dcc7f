#include "tokensim/sim_crypto.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

Bytes Sm4Cbc(const Bytes& key, const Bytes& iv, const Bytes& data, bool encrypt) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    Bytes out(data.size() + 16);
    int length = 0;
    int tail = 0;
    if (!ctx || key.size() != 16 || iv.size() != 16 || data.size() % 16 != 0 ||
        EVP_CipherInit_ex(ctx.get(), EVP_sm4_cbc(), nullptr, key.data(), iv.data(),
                          encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_CipherUpdate(ctx.get(), out.data(), &length, data.data(),
                         static_cast<int>(data.size())) != 1 ||
        EVP_CipherFinal_ex(ctx.get(), out.data() + length, &tail) != 1) {
        throw std::runtime_error("SM4 is not available");
    }
    out.resize(static_cast<size_t>(length + tail));
    return out;
}

}  // namespace

Bytes Sm4CbcEncrypt(const Bytes& key, const Bytes& iv, const Bytes& data) {
    return Sm4Cbc(key, iv, data, true);
}

Bytes Sm4CbcDecrypt(const Bytes& key, const Bytes& iv, const Bytes& data) {
    return Sm4Cbc(key, iv, data, false);
}

Bytes Sm4Block(const Bytes& key, const Bytes& block) {
    return Sm4CbcEncrypt(key, Bytes(16), block);
}

Bytes Sm4CbcMac(const Bytes& key, const Bytes& data) {
    Bytes chain = Sm4CbcEncrypt(key, Bytes(16), data);
    return Bytes(chain.end() - 16, chain.end());
}

std::string TotpCode(const Bytes& seed, int64_t unixTime) {
    uint64_t counter = static_cast<uint64_t>(unixTime / 30);
    uint8_t message[8];
    for (int i = 7; i >= 0; --i) {
        message[i] = static_cast<uint8_t>(counter & 0xFF);
        counter >>= 8;
    }
    uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    HMAC(EVP_sha1(), seed.data(), static_cast<int>(seed.size()), message, sizeof message, digest,
         &digestLength);
    int offset = digest[19] & 0x0F;
    uint32_t binary = (static_cast<uint32_t>(digest[offset] & 0x7F) << 24) |
                      (static_cast<uint32_t>(digest[offset + 1]) << 16) |
                      (static_cast<uint32_t>(digest[offset + 2]) << 8) | digest[offset + 3];
    char code[8];
    std::snprintf(code, sizeof code, "%06u", binary % 1000000);
    return code;
}

Bytes RandomBytes(size_t count) {
    Bytes out(count);
    if (RAND_bytes(out.data(), static_cast<int>(count)) != 1) {
        throw std::runtime_error("no random bytes");
    }
    return out;
}

bool ParseHex(const std::string& text, Bytes& out) {
    if (text.size() % 2 != 0) return false;
    Bytes bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        auto digit = [](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'a' && c <= 'f') return c - 'a' + 10;
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            return -1;
        };
        int high = digit(text[i]);
        int low = digit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    out = bytes;
    return true;
}

std::string ToHex(const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}
