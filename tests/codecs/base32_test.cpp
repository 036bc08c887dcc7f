#include "seeds/base32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/codecs/test_bytes.h"

namespace {

// Decodes into an output buffer of exactly the documented room (5 bytes per started group of 8
// characters) and from an exactly sized copy of the text, so that the sanitizers see any read
// past the terminator or write past the room.
Bytes Decode(const std::string& text) {
    const std::vector<char> copy(text.c_str(), text.c_str() + text.size() + 1);
    Bytes out(5 * ((text.size() + 7) / 8) + 1, 0xEE);
    const int length = Base32Decode(copy.data(), out.data());
    EXPECT_EQ(out.back(), 0xEE) << text << ": wrote past the room";
    EXPECT_GE(length, 0);
    out.resize(static_cast<size_t>(length));
    return out;
}

TEST(Base32Decode, Cases) {
    struct Case {
        std::string text;
        std::string bytes;  // as hex
    };
    const Case cases[] = {
        {"MFRGG", "616263"},
        {"MFRGGAAA", "616263"},
        {"MFRGGZDF", "6162636465"},
        {"MFRGGZDF========", "6162636465"},
        {"AAAAAAAA", ""},
        {"", ""},
        {"mfrggzdf", ""},
        {"MFRGGZDFmztwq2lk", "6162636465"},
        {"=MFRGGZD", ""},
        {" MFRGGZD", ""},
        // A character outside the alphabet inside a group ends the text there.
        {"MFRGG=ZD", "616263"},
        {"MFRGGzDF", "616263"},
        {"MFRGG ZDMFRGGZDF", "616263"},
        {"MFRGGZDFME8GGZDF", "616263646561"},
        {"MFRGGZDFMFRGG1DF", "6162636465616263"},
        // No byte count comes from the length: the bits that fill up a short group stay.
        {"MF", "6140"},
        // Two and more groups; the last one short.
        {"MFRGGZDFMZTWQ2LK", "6162636465666768696A"},
        {"MFRGGZDFMZTWQ2LKNM", "6162636465666768696A6B"},
        {"77777777", "FFFFFFFFFF"},
        // Zero bytes at the end of the seed itself are dropped; inner ones stay.
        {"MEAGCAA", "610061"},
        {"MEAAAAA", "61"},
        {"AAAAAAAB", "0000000001"},
    };
    for (const Case& c : cases) EXPECT_EQ(ToHex(Decode(c.text)), c.bytes) << c.text;
}

TEST(Base32DecodeGroup, HalvesOfFullAndShortGroups) {
    struct Case {
        const char* text;
        uint32_t high;
        uint32_t low;
    };
    const Case cases[] = {
        {"77777777", 0xFFFFF, 0xFFFFF},
        {"BAAAAAAB", 1u << 15, 1},
        {"B", 1u << 15, 0},         // completed with zero digits
        {"AAAAB", 0, 1u << 15},     // the fifth character leads the low half
        {"AAAAAB=7", 0, 1u << 10},  // "=" ends the group
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        const Base32Group g = Base32DecodeGroup(c.text);
        EXPECT_EQ(g.high, c.high) << c.text;
        EXPECT_EQ(g.low, c.low) << c.text;
    }
}

TEST(Base32Decode, ShortTextDoesNotCountStaleBytes) {
    Bytes out(40, 0xEE);
    ASSERT_EQ(Base32Decode("77777777777777777777777777777777", out.data()), 20);
    EXPECT_EQ(Base32Decode("AAAAAAAAAAAAAAAB", out.data()), 10);
    EXPECT_EQ(Base32Decode("AAAAAAAAAAAAAAAA", out.data()), 0);
}

TEST(Base32Decode, SixteenByteSeedTrailingZeroRule) {
    Bytes seed = RandomBytes(16, 26);
    seed[15] = 0x01;
    const std::string text = Base32Encode(seed.data(), seed.size());
    ASSERT_EQ(text.size(), 26u);
    EXPECT_EQ(Decode(text), seed);

    seed[15] = 0x00;
    seed[14] = 0x42;
    EXPECT_EQ(Decode(Base32Encode(seed.data(), seed.size())), Bytes(seed.begin(), seed.end() - 1));
}

std::string CoreutilsBase32(const Bytes& bytes) {
    const auto path =
        std::filesystem::temp_directory_path() /
        ("codecs_base32_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + std::to_string(bytes.size()));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const std::string command = "base32 -w 0 '" + path.string() + "'";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
        EXPECT_EQ(pclose(pipe), 0) << command;
    } else {
        ADD_FAILURE() << "cannot run " << command;
    }
    std::filesystem::remove(path);
    while (!text.empty() && (text.back() == '=' || text.back() == '\n')) text.pop_back();
    return text;
}

TEST(Base32Encode, AgreesWithCoreutilsAndRoundTrips) {
    for (size_t length = 0; length <= 64; ++length) {
        Bytes bytes = RandomBytes(length, static_cast<uint32_t>(length));
        if (length % 3 == 0 && length > 0) bytes.back() = 0;  // exercise the trailing-zero rule
        const std::string text = Base32Encode(bytes.data(), bytes.size());
        EXPECT_EQ(text, CoreutilsBase32(bytes)) << length << " bytes";

        Bytes expected = bytes;
        while (!expected.empty() && expected.back() == 0) expected.pop_back();
        EXPECT_EQ(Decode(text), expected) << length << " bytes";
    }
}

}  // namespace
