// Hex text: upper-case digits, two per byte, high nibble first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Writes floor(text.size() / 2) bytes to out; invalid digits count as 255 (see the tests).
void HexToBytes(std::u16string_view text, uint8_t* out);

// Replaces text with 2 * count upper-case hex digits. count is at most 1023.
void BytesToHex(int count, const uint8_t* bytes, std::u16string& text);
