// Base32 (RFC 4648 alphabet, upper case, unpadded) for seeds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct Base32Group {
    uint32_t high;  // 20 bits from characters 1 to 4
    uint32_t low;   // 20 bits from characters 5 to 8
};

// Decodes the group of up to 8 characters that starts at text.
Base32Group Base32DecodeGroup(const char* text);

// Decodes zero-terminated base32 text into out (5 bytes per group, unchecked: at most
// 8 * floor(room / 5) characters). Returns one more than the position of the last non-zero byte.
int Base32Decode(const char* text, uint8_t* out);

// Upper-case, unpadded base32 text of the bytes.
std::string Base32Encode(const uint8_t* bytes, size_t count);
