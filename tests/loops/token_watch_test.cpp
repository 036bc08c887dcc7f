// Token watch passes and the read step, run one by one against scripted readers and library.
#include <gtest/gtest.h>

#include "loops/loops.h"
#include "tests/loops/scripted_stack.h"
#include "tests/support/fake_window.h"

namespace {

class TokenWatch : public ::testing::Test {
  protected:
    void SetUp() override {
        g_watchState = 1;
        g_readerName.Set("Alpha");
        g_readPending = 1;
        g_burnPending = 1;
    }
    void TearDown() override {
        g_watchState = 0;
        g_readerName.Set(QString());
    }
    QString serial() { return d.state.m_strSerial.Get(); }
    QString clock() { return d.state.m_strTime.Get(); }

    ScriptedPcsc readers;
    ScriptedTokenLibrary library;
    FakeDialog d;
};

TEST_F(TokenWatch, ReadsEachPlacementOnceAndClearsWhenLifted) {
    TokenWatchThread(d.dlg);  // empty reader
    EXPECT_EQ(serial(), "");
    EXPECT_EQ(ScriptedTokenLibrary::reads(), 0);

    readers.LayToken("Alpha");
    TokenWatchThread(d.dlg);
    EXPECT_EQ(serial(), "1234567890");
    EXPECT_EQ(clock(), "2026-12-11 15:00:00");
    EXPECT_EQ(g_readPending.load(), 0);
    EXPECT_EQ(ScriptedTokenLibrary::lastReader(), "Alpha");

    TokenWatchThread(d.dlg);
    TokenWatchThread(d.dlg);
    EXPECT_EQ(ScriptedTokenLibrary::reads(), 1);
    EXPECT_EQ(serial(), "1234567890");  // stays while the token lies there

    g_burnPending = 0;  // as after a burn attempt
    readers.LiftToken("Alpha");
    TokenWatchThread(d.dlg);
    EXPECT_EQ(serial(), "");
    EXPECT_EQ(clock(), "");
    EXPECT_EQ(g_readPending.load(), 1);
    EXPECT_EQ(g_burnPending.load(), 1);

    readers.LayToken("Alpha");
    TokenWatchThread(d.dlg);
    EXPECT_EQ(ScriptedTokenLibrary::reads(), 2);

    // Every pass drops what an earlier one left behind and its own connection.
    EXPECT_EQ(readers.releases(), 2 * readers.connectedNames().size());
    EXPECT_EQ(readers.connectedNames(), QStringList(6, "Alpha"));
}

TEST_F(TokenWatch, FailedReadIsRetriedWhileTheTokenStays) {
    readers.LayToken("Alpha");
    ScriptedTokenLibrary::Answer(5, "999", "stale");
    d.state.m_strSerial.Set("old");
    TokenWatchThread(d.dlg);
    EXPECT_EQ(serial(), "");
    EXPECT_EQ(clock(), "");
    EXPECT_EQ(g_readPending.load(), 1);

    ScriptedTokenLibrary::Answer(0, "777", "noon");
    TokenWatchThread(d.dlg);
    EXPECT_EQ(serial(), "777");
    EXPECT_EQ(ScriptedTokenLibrary::reads(), 2);
}

TEST_F(TokenWatch, WithoutTheLibraryTheReadFailsWithoutACall) {
    g_tokenApi = {};
    readers.LayToken("Alpha");
    d.state.m_strSerial.Set("old");
    TokenWatchThread(d.dlg);
    EXPECT_EQ(serial(), "");
    EXPECT_EQ(g_readPending.load(), 1);
    EXPECT_EQ(ReadSerialAndTime("Alpha", d.dlg), 0);
    EXPECT_GT(d.ui.updatesPosted(), 0);
}

TEST_F(TokenWatch, ReadStepStaysInsideAreasFilledToTheBrim) {
    const QByteArray fullSerial(32, 'S');
    const QByteArray fullClock(64, 'C');
    ScriptedTokenLibrary::Answer(0, fullSerial, fullClock);
    EXPECT_EQ(ReadSerialAndTime("Alpha", d.dlg), 1);
    EXPECT_EQ(serial(), QString(fullSerial));
    EXPECT_EQ(clock(), QString(fullClock));
}

TEST_F(TokenWatch, StopRequestEndsTheLoopBeforeTouchingTheReader) {
    g_watchState = 2;
    EXPECT_EQ(TokenWatchThread(d.dlg), 0);
    EXPECT_EQ(g_watchState.load(), 0);
    EXPECT_EQ(readers.releases(), 0);
    EXPECT_TRUE(readers.connectedNames().isEmpty());
}

}  // namespace
