#include "seeds/random_text.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::string kBase32Alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";

// Every character of the set turns up over many draws, and nothing else does.
void ExpectDrawsCover(std::string (*draw)(), size_t length, const std::string& set) {
    std::set<char> seen;
    for (int i = 0; i < 300; ++i) {
        const std::string text = draw();
        ASSERT_EQ(text.size(), length) << text;
        for (char c : text) {
            ASSERT_NE(set.find(c), std::string::npos) << "'" << c << "' in " << text;
            seen.insert(c);
        }
    }
    EXPECT_EQ(seen, std::set<char>(set.begin(), set.end()));
}

TEST(RandomText, SeedsUseTheWholeBase32Alphabet) {
    ExpectDrawsCover(RandomBase32Seed, 32, kBase32Alphabet);
}

TEST(RandomText, DigitsUseAllTenDigits) {
    ExpectDrawsCover(RandomDigits, 5, "0123456789");
}

// Seeds must not be derivable from the time they were made.
TEST(RandomText, SeedsInARowDiffer) {
    std::set<std::string> seeds;
    for (int i = 0; i < 50; ++i) seeds.insert(RandomBase32Seed());
    EXPECT_EQ(seeds.size(), 50u);
}

}  // namespace
