#include "keys/hex.h"

namespace {

// Digit value from the low 8 bits of the code unit; 255 for anything that is not a hex digit.
uint8_t HexDigitValue(char16_t unit) {
    const auto c = static_cast<uint8_t>(unit & 0xFF);
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 255;
}

}  // namespace

void HexToBytes(std::u16string_view text, uint8_t* out) {
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        // Modulo 256 on purpose: an invalid digit still gives a byte, as stored texts expect.
        out[i / 2] = static_cast<uint8_t>(HexDigitValue(text[i]) * 16 + HexDigitValue(text[i + 1]));
    }
}

void BytesToHex(int count, const uint8_t* bytes, std::u16string& text) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    text.clear();
    if (count <= 0 || bytes == nullptr) return;
    text.reserve(2 * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 0x0F]);
    }
}
