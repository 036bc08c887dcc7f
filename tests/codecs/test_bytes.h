// Small helpers for byte strings in the codec tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Bytes of a hex text such as "0123AB"; the text must be valid.
Bytes FromHex(const std::string& hex);

// Upper-case hex text of the bytes, for readable failure messages.
std::string ToHex(const uint8_t* bytes, size_t count);
inline std::string ToHex(const Bytes& bytes) {
    return ToHex(bytes.data(), bytes.size());
}

// Random bytes from a fixed-seed generator, so that failures can be reproduced.
Bytes RandomBytes(size_t count, uint32_t seed);
