// The loops against our pcscd with virtual readers and simulated tokens, through the window's
// operations, with the real reader access and the real token library.
#include <gtest/gtest.h>

#include <thread>

#include "loops/loops.h"
#include "res/resource.h"
#include "tests/loops/scripted_stack.h"
#include "tests/support/fake_window.h"
#include "tests/support/token_bench.h"
#include "token/token_library.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class LoopsOnTheBench : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bench.StartDaemon({"Ondrel Bench A"})) << bench.LastError();
        library = LoadTokenLibrary();
        ASSERT_NE(library, nullptr);
        ResolveTokenApi(library, g_tokenApi);
        g_readPending = 1;  // as start-up leaves them
        g_burnPending = 1;
        StartReaderMonitor(d.dlg);
        ASSERT_TRUE(WaitFor([&] { return d.ui.ComboCount(IDC_READERS) == 2; }));
    }
    void TearDown() override {
        StopLoops(d.dlg);
        g_tokenApi = {};
        UnloadTokenLibrary(library);
        g_readerName.Set(QString());
    }
    // Selects the bench reader by index (its entry, wherever the list put it) and connects.
    void ConnectTo(int reader) {
        const QString name = QString::fromStdString(bench.ReaderNames().at(reader));
        int entry = -1;
        for (int i = 0; i < d.ui.ComboCount(IDC_READERS); ++i)
            if (d.ui.ComboText(IDC_READERS, i) == name) entry = i;
        ASSERT_NE(entry, -1) << name.toStdString();
        d.ui.SelectComboEntry(IDC_READERS, entry);
        OnConnect(d.dlg);
    }
    bool SerialShown(const QString& serial, std::chrono::milliseconds limit = 3s) {
        return WaitFor([&] { return d.state.m_strSerial.Get() == serial; }, limit);
    }
    bool DisplayCleared() {
        return WaitFor(
            [&] { return d.state.m_strSerial.IsEmpty() && d.state.m_strTime.IsEmpty(); });
    }

    TokenBench bench;
    void* library = nullptr;
    FakeDialog d;
};

TEST_F(LoopsOnTheBench, ReadsEachPlacementOnceAndClearsWhenLifted) {
    TokenSimulator* token = bench.StartSimulator(0, {"--serial", "2100000042"});
    ASSERT_NE(token, nullptr);
    ConnectTo(0);
    EXPECT_EQ(d.ui.messages(), QStringList{"Successful operation!"});

    for (int placement = 1; placement <= 3; ++placement) {
        SCOPED_TRACE(placement);
        ASSERT_TRUE(token->Place());
        ASSERT_TRUE(bench.WaitCard(0, true));
        const auto seen = Clock::now();
        ASSERT_TRUE(SerialShown("2100000042"));
        EXPECT_LT(Clock::now() - seen, 1s);
        EXPECT_FALSE(d.state.m_strTime.IsEmpty());
        std::this_thread::sleep_for(300ms);  // several passes with the token on
        EXPECT_EQ(token->Counter("read"), uint64_t(placement));

        ASSERT_TRUE(token->Lift());
        EXPECT_TRUE(DisplayCleared());
    }
}

TEST_F(LoopsOnTheBench, ConnectMovesTheWatchToTheOtherReader) {
    TokenSimulator* first = bench.StartSimulator(0, {"--serial", "2100000001", "--placed"});
    TokenSimulator* second = bench.StartSimulator(1, {"--serial", "2100000002", "--placed"});
    ASSERT_TRUE(first && second);
    ConnectTo(0);
    ASSERT_TRUE(SerialShown("2100000001"));

    ConnectTo(1);
    EXPECT_EQ(d.ui.messages(), QStringList(2, "Successful operation!"));
    ASSERT_TRUE(SerialShown("2100000002"));
    // The old loop is gone: a new placement on the first reader goes unread.
    const uint64_t firstReads = first->Counter("read");
    ASSERT_TRUE(first->Lift());
    ASSERT_TRUE(first->Place());
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(first->Counter("read"), firstReads);
    EXPECT_EQ(d.state.m_strSerial.Get(), "2100000002");

    // Without a selection Connect only warns; the loop goes on with the second reader.
    d.ui.SelectComboEntry(IDC_READERS, -1);
    OnConnect(d.dlg);
    EXPECT_EQ(d.ui.messages().last(), "Please select a card reader!");
    ASSERT_TRUE(second->Lift());
    EXPECT_TRUE(DisplayCleared());
    ASSERT_TRUE(second->Place());
    EXPECT_TRUE(SerialShown("2100000002"));
}

TEST_F(LoopsOnTheBench, ReaderListFollowsTheDaemonGoingAndComingBack) {
    TokenSimulator* token = bench.StartSimulator(0, {"--serial", "2100000042", "--placed"});
    ASSERT_NE(token, nullptr);
    ConnectTo(0);
    ASSERT_TRUE(SerialShown("2100000042"));

    bench.StopDaemon();
    EXPECT_TRUE(WaitFor([&] { return d.ui.ComboCount(IDC_READERS) == 0; }));
    EXPECT_TRUE(DisplayCleared());

    ASSERT_TRUE(bench.RestartDaemon({"Ondrel Bench A"})) << bench.LastError();
    EXPECT_TRUE(WaitFor([&] { return d.ui.ComboCount(IDC_READERS) == 2; }, 5s));
    // The watch loop kept the reader's name and reads the token again on its own.
    EXPECT_TRUE(SerialShown("2100000042", 5s));
}

}  // namespace
