// The simulator's own cryptography, on OpenSSL: it checks the token library's SM4 independently.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// SM4-CBC over whole 16-byte blocks, no padding.
Bytes Sm4CbcEncrypt(const Bytes& key, const Bytes& iv, const Bytes& data);
Bytes Sm4CbcDecrypt(const Bytes& key, const Bytes& iv, const Bytes& data);
// One SM4 block.
Bytes Sm4Block(const Bytes& key, const Bytes& block);
// CBC-MAC with a zero IV: the last block of SM4-CBC over data.
Bytes Sm4CbcMac(const Bytes& key, const Bytes& data);

// RFC 6238 code (HMAC-SHA1, 30-second steps, 6 digits) of seed at unixTime.
std::string TotpCode(const Bytes& seed, int64_t unixTime);

// Random bytes from OpenSSL's generator.
Bytes RandomBytes(size_t count);

bool ParseHex(const std::string& text, Bytes& out);
std::string ToHex(const Bytes& bytes);
