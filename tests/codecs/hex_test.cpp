#include "keys/hex.h"

#include <gtest/gtest.h>

#include "tests/codecs/test_bytes.h"

namespace {

TEST(HexToBytes, Cases) {
    struct Case {
        std::u16string text;
        std::string bytes;  // as hex, for readability
    };
    const Case cases[] = {
        {u"", ""},
        {u"ABC", "AB"},  // odd last character ignored
        {u"ab", "AB"},
        {u"0f9A", "0F9A"},
        {u"00FF7e", "00FF7E"},
        // Invalid digits count as 255, modulo 256.
        {u"1x", "0F"},
        {u"0x", "FF"},
        {u"xx", "EF"},
        {u"x1", "F1"},
        {u"G0", "F0"},
        // Only the low 8 bits of a code unit count: U+0141 reads as "A".
        {u"\u01411", "A1"},
    };
    for (const Case& c : cases) {
        Bytes out(c.text.size() / 2 + 1, 0x77);
        HexToBytes(c.text, out.data());
        EXPECT_EQ(ToHex(out.data(), c.text.size() / 2), c.bytes);
        EXPECT_EQ(out.back(), 0x77) << "wrote past the bytes of the text";
    }
}

TEST(BytesToHex, Cases) {
    std::u16string text = u"stale";
    const uint8_t bytes[] = {0x0F, 0xA0};
    BytesToHex(2, bytes, text);
    EXPECT_EQ(text, u"0FA0");
    BytesToHex(0, bytes, text);
    EXPECT_EQ(text, u"");
}

TEST(BytesToHex, EveryByteValueRoundTrips) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(i);
    std::u16string text;
    BytesToHex(256, all.data(), text);
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.substr(0, 8), u"00010203");
    EXPECT_EQ(text.substr(504), u"FCFDFEFF");
    Bytes back(256);
    HexToBytes(text, back.data());
    EXPECT_EQ(back, all);
}

// Longer inputs than the usual key or seed are encoded in full rather than cut or overrun.
TEST(BytesToHex, LongInputIsEncodedInFull) {
    const Bytes bytes = RandomBytes(3000, 3);
    std::u16string text;
    BytesToHex(3000, bytes.data(), text);
    ASSERT_EQ(text.size(), 6000u);
    Bytes back(3000);
    HexToBytes(text, back.data());
    EXPECT_EQ(back, bytes);
}

}  // namespace
