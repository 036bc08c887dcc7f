// Reading seed files into the serial-to-seed map.
#include <gtest/gtest.h>

#include <random>

#include "seeds/seed_source.h"
#include "tests/seeds/seed_test_support.h"

namespace {

struct SeedFileCase {
    const char* name;
    QByteArray content;
    SeedMap expected;
};
void PrintTo(const SeedFileCase& c, std::ostream* os) {
    *os << c.name;
}

QByteArray Repeat(const char* text, int times) {
    return QByteArray(text).repeated(times);
}

std::u16string Hex(const char* text) {
    return QString::fromLatin1(text).toStdU16String();
}

const SeedMap kAbcdeAndAbc = {{u"1", u"6162636465"}, {u"2", u"616263"}};

class SeedFileTest : public ::testing::TestWithParam<SeedFileCase> {
  protected:
    void SetUp() override { ResetSeedState(); }
    ScratchFolder folder_;
};

TEST_P(SeedFileTest, ReadsEntriesAndReplacesTheMap) {
    const SeedFileCase& c = GetParam();
    const QString path = folder_.Write("seeds.txt", c.content);
    ASSERT_FALSE(path.isEmpty());
    g_seedMap[u"stale"] = u"00";  // from an earlier file: replaced, not merged

    std::lock_guard<std::mutex> lock(g_seedLock);
    EXPECT_TRUE(LoadSeedFile(path));
    EXPECT_EQ(g_seedMap, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SeedFileTest,
    ::testing::Values(
        SeedFileCase{"FiveBytes", "1234567 MFRGGZDF\n", {{u"1234567", u"6162636465"}}},
        SeedFileCase{"ShortGroup", "1234567 MFRGG\n", {{u"1234567", u"616263"}}},
        SeedFileCase{"EmptyFile", "", {}},
        SeedFileCase{"NoBlankAndEmptyLine", "1234567MFRGG\n\n", {}},
        SeedFileCase{"TabDoesNotSeparate", "1\tMFRGG\n2\tX MFRGG\n", {{u"2\tX", u"616263"}}},
        SeedFileCase{"LeadingBlankGivesEmptySerial", " MFRGG\n", {{u"", u"616263"}}},
        SeedFileCase{"TwoBlanksGiveEmptySeed", "1234567  MFRGG\n", {{u"1234567", u""}}},
        SeedFileCase{"LaterLineWins",
                     "7 MFRGG\n8 MFRGG\n7 MFRGGZDF\n",
                     {{u"7", u"6162636465"}, {u"8", u"616263"}}},
        SeedFileCase{"LowerCaseSeedIsEmpty", "7 mfrggzdf\n", {{u"7", u""}}},
        SeedFileCase{"SerialIsExactText",
                     "007 MFRGG\n7 MFRGGZDF\nab MFRGG\nAB MFRGGZDF\n",
                     {{u"007", u"616263"},
                      {u"7", u"6162636465"},
                      {u"AB", u"6162636465"},
                      {u"ab", u"616263"}}},
        SeedFileCase{"LfLines", "1 MFRGGZDF\n2 MFRGG\n", kAbcdeAndAbc},
        SeedFileCase{"CrLfLines", "1 MFRGGZDF\r\n2 MFRGG\r\n", kAbcdeAndAbc},
        SeedFileCase{"LastLineWithoutLineEnd", "1 MFRGGZDF\n2 MFRGG", kAbcdeAndAbc},
        SeedFileCase{"CrLfLastLineWithoutLineEnd", "1 MFRGGZDF\r\n2 MFRGG", kAbcdeAndAbc},
        SeedFileCase{"ByteOrderMarkStaysInFirstSerial",
                     "\xEF\xBB\xBF"
                     "1 MFRGG\n2 MFRGG\n",
                     {{u"\uFEFF1", u"616263"}, {u"2", u"616263"}}},
        // 200 characters fill 125 of the 128 bytes; one more group would not fit.
        SeedFileCase{"LongestSeedFits",
                     "1 " + Repeat("MFRGGZDF", 25) + "\n",
                     {{u"1", Hex(Repeat("6162636465", 25).constData())}}},
        SeedFileCase{"OverLongSeedIsEmpty",
                     "1 " + Repeat("MFRGGZDF", 25) + "M\n2 MFRGG\n",
                     {{u"1", u""}, {u"2", u"616263"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SeedFile, UnopenableFileLeavesTheMap) {
    ResetSeedState();
    ScratchFolder folder;
    g_seedMap[u"1"] = u"616263";
    const SeedMap before = g_seedMap;

    std::lock_guard<std::mutex> lock(g_seedLock);
    EXPECT_FALSE(LoadSeedFile(folder.Path("missing.txt")));
    EXPECT_FALSE(LoadSeedFile(folder.Path("")));  // the folder itself
    EXPECT_EQ(g_seedMap, before);
}

// Files of random bytes, rich in the bytes that matter to the reader, never crash it (the asan
// build checks every buffer) and give only whole hex bytes that fit the decode buffer.
TEST(SeedFile, RandomFilesGiveOnlyWellFormedEntries) {
    ResetSeedState();
    ScratchFolder folder;
    std::mt19937 random(20261211);
    const QByteArray interesting = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567 \n\r=a0";
    for (int file = 0; file < 200; ++file) {
        QByteArray content;
        const int size = int(random() % 1200);
        for (int i = 0; i < size; ++i) {
            const unsigned pick = random();
            content +=
                pick % 4 == 0 ? char(pick >> 8) : interesting[(pick >> 8) % interesting.size()];
        }
        const QString path = folder.Write("garbage.txt", content);
        ASSERT_FALSE(path.isEmpty());

        std::lock_guard<std::mutex> lock(g_seedLock);
        ASSERT_TRUE(LoadSeedFile(path));
        for (const auto& [serial, seed] : g_seedMap) {
            ASSERT_EQ(seed.size() % 2, 0u);
            ASSERT_LE(seed.size(), 2u * 125);
            for (char16_t c : seed)
                ASSERT_TRUE((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'));
        }
    }
}

}  // namespace
