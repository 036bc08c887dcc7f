#include "seeds/base32.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
constexpr int kGroupChars = 8;
constexpr int kGroupBytes = 5;

// Digit value of an alphabet character, -1 for any other byte (lower case included).
int DigitValue(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= '2' && c <= '7') return c - '2' + 26;
    return -1;
}

// Number of alphabet characters at the start of the group, at most 8. Stops at the terminator,
// so nothing behind it is read.
int GroupLength(const char* text) {
    int n = 0;
    while (n < kGroupChars && DigitValue(text[n]) >= 0) ++n;
    return n;
}

}  // namespace

// A group ends early at the end of the text or at a character outside the alphabet; the missing
// positions count as digit 0, as if filled up with "A".
Base32Group Base32DecodeGroup(const char* text) {
    if (text == nullptr) return {0, 0};
    const int n = GroupLength(text);
    Base32Group group{0, 0};
    for (int i = 0; i < kGroupChars; ++i) {
        const uint32_t digit = i < n ? uint32_t(DigitValue(text[i])) : 0;
        uint32_t& half = i < 4 ? group.high : group.low;
        half = half * 32 + digit;
    }
    return group;
}

int Base32Decode(const char* text, uint8_t* out) {
    if (text == nullptr || out == nullptr) return 0;
    int written = 0;
    int length = 0;
    const char* at = text;
    while (DigitValue(*at) >= 0) {
        const Base32Group g = Base32DecodeGroup(at);
        const uint8_t bytes[kGroupBytes] = {uint8_t(g.high >> 12), uint8_t(g.high >> 4),
                                            uint8_t((g.high << 4) | (g.low >> 16)),
                                            uint8_t(g.low >> 8), uint8_t(g.low)};
        for (uint8_t b : bytes) {
            out[written++] = b;
            if (b != 0) length = written;
        }
        // A short group ends on the terminator or on a character outside the alphabet, which
        // ends the loop.
        at += GroupLength(at);
    }
    return length;
}

std::string Base32Encode(const uint8_t* bytes, size_t count) {
    std::string text;
    text.reserve((count * 8 + 4) / 5);
    uint32_t buffer = 0;  // bits not yet written, at most 12
    int bits = 0;
    for (size_t i = 0; i < count; ++i) {
        buffer = (buffer << 8) | bytes[i];
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            text.push_back(kAlphabet[(buffer >> bits) & 31]);
        }
    }
    if (bits > 0) text.push_back(kAlphabet[(buffer << (5 - bits)) & 31]);
    return text;
}
