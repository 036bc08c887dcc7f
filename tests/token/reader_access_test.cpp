// Reader listing and presence test against our own pcscd with virtual readers.
#include "token/reader_access.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/token_bench.h"

namespace {

class ReaderAccessTest : public ::testing::Test {
  protected:
    void Start(const std::vector<std::string>& names = {"Ondrel Bench A"}) {
        ASSERT_TRUE(bench_.StartDaemon(names)) << bench_.LastError();
    }
    QString Name(int reader) { return QString::fromStdString(bench_.ReaderNames()[reader]); }
    TokenBench bench_;
};

TEST_F(ReaderAccessTest, ListsEveryReaderWithItsEndMarkerInTheManagersOrder) {
    ASSERT_NO_FATAL_FAILURE(
        Start({"Ondrel Bench A", "Lecteur \u00C9t\u00E9 B"}));  // pcsc-lite names are UTF-8
    QString text;
    EXPECT_EQ(ListReaders(text), 0);
    EXPECT_EQ(text, QString::fromUtf8("Ondrel Bench A 00 00[E]Ondrel Bench A 00 01[E]"
                                      "Lecteur \u00C9t\u00E9 B 00 00[E]"
                                      "Lecteur \u00C9t\u00E9 B 00 01[E]"));
}

TEST_F(ReaderAccessTest, WithoutTheDaemonListingAndConnectingFail) {
    ASSERT_NO_FATAL_FAILURE(Start());
    bench_.StopDaemon();
    QString text;
    EXPECT_EQ(ListReaders(text), -1);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(ConnectReader(Name(0)), -1);
    ReleaseReader();
}

// Four readers of two friendly names: the multi-string needs 2 * (a + b) + 29 characters.
TEST_F(ReaderAccessTest, AListingLongerThanTheBufferFails) {
    struct Case {
        size_t first, second;
        int result;
    };
    for (const Case& c : {Case{72, 73, 0}, Case{73, 73, -1}, Case{100, 100, -1}}) {
        ASSERT_NO_FATAL_FAILURE(Start({std::string(c.first, 'a'), std::string(c.second, 'b')}));
        QString text;
        EXPECT_EQ(ListReaders(text), c.result) << c.first << " + " << c.second;
        EXPECT_EQ(text.isEmpty(), c.result != 0);
    }
}

TEST_F(ReaderAccessTest, ConnectingNeedsAKnownReaderWithATokenOnIt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    TokenSimulator* token = bench_.StartSimulator(0);
    ASSERT_NE(token, nullptr) << bench_.LastError();

    EXPECT_EQ(ConnectReader(Name(0)), -1) << "no token yet";
    ReleaseReader();
    EXPECT_EQ(ConnectReader("Ondrel Bench Z 00 00"), -1);
    ReleaseReader();

    ASSERT_TRUE(token->Place());
    ASSERT_TRUE(bench_.WaitCard(0, true));
    intptr_t card = ConnectReader(Name(0));
    EXPECT_NE(card, -1);
    EXPECT_EQ(g_hCard, card);
    EXPECT_NE(g_hContext, 0);
    EXPECT_NE(g_dwActiveProtocol, 0u);
    ReleaseReader();
    EXPECT_EQ(g_hCard, 0);
    EXPECT_EQ(g_hContext, 0);
    EXPECT_EQ(token->Counter("reset"), 0u) << "the connection leaves the token as it is";
    EXPECT_EQ(ConnectReader(Name(1)), -1) << "the other reader of the pair has no token";
    ReleaseReader();
}

TEST(ReleaseReaderTest, IsHarmlessWithNothingConnected) {
    ReleaseReader();
    ReleaseReader();
    EXPECT_EQ(g_hCard, 0);
    EXPECT_EQ(g_hContext, 0);
}

}  // namespace
