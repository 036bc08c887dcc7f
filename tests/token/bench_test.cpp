// What the loops' tests rely on from the bench itself.
#include <gtest/gtest.h>

#include "tests/support/token_bench.h"
#include "token/reader_access.h"

namespace {

TEST(TokenBenchTest, ALaidOnTokenIsSeenAgainAfterTheDaemonRestartsWithOtherReaders) {
    TokenBench bench;
    ASSERT_TRUE(bench.StartDaemon({"Ondrel Bench A"})) << bench.LastError();
    TokenSimulator* token = bench.StartSimulator(0, {"--placed"});
    ASSERT_NE(token, nullptr) << bench.LastError();
    ASSERT_TRUE(bench.WaitCard(0, true));

    ASSERT_TRUE(bench.RestartDaemon({"Ondrel Bench A", "Ondrel Bench B"})) << bench.LastError();
    QString text;
    ASSERT_EQ(ListReaders(text), 0);
    EXPECT_EQ(text.count("[E]"), 4);
    EXPECT_TRUE(bench.WaitCard(0, true)) << "the simulator reconnects by itself";
    EXPECT_GE(token->Counter("connects"), 2u);

    bench.StopDaemon();
    EXPECT_EQ(ListReaders(text), -1);
}

}  // namespace

namespace {

// One vpcd driver shared by several lines would mirror one line's tokens on the others.
TEST(TokenBenchTest, ReadersOfDifferentLinesHoldTheirOwnTokens) {
    TokenBench bench;
    ASSERT_TRUE(bench.StartDaemon({"Ondrel Bench A", "Ondrel Bench B"})) << bench.LastError();
    ASSERT_NE(bench.StartSimulator(0, {"--placed"}), nullptr) << bench.LastError();
    ASSERT_NE(bench.StartSimulator(3, {"--placed"}), nullptr) << bench.LastError();
    ASSERT_TRUE(bench.WaitCard(0, true));
    ASSERT_TRUE(bench.WaitCard(3, true));
    std::vector<std::string> names = bench.ReaderNames();
    for (int reader : {0, 1, 2, 3}) {
        bool present = ConnectReader(QString::fromStdString(names[reader])) != -1;
        ReleaseReader();
        EXPECT_EQ(present, reader == 0 || reader == 3) << names[reader];
    }
}

}  // namespace
