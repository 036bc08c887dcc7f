// Connect, start-up and shut-down with the loops running on their threads.
#include <gtest/gtest.h>

#include <condition_variable>
#include <future>

#include "loops/loop_thread.h"
#include "loops/loops.h"
#include "res/resource.h"
#include "tests/loops/scripted_stack.h"
#include "tests/support/fake_window.h"

namespace {

using namespace std::chrono_literals;

// A window whose UI thread must serve a pass's request before the pass can go on, as a real
// window does with a synchronous request from a background thread.
class BlockingWindow : public FakeWindow {
  public:
    // Called on a loop thread: blocks until the UI thread serves it.
    void SynchronousRequest() {
        std::unique_lock<std::mutex> lock(mutex_);
        ++waiting_;
        wake_.wait(lock, [this] { return served_ > 0; });
        --served_;
    }
    void ServePendingRequests() override {
        std::function<void()> whileServing;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            served_ += waiting_;
            waiting_ = 0;
            whileServing = whileServing_;
        }
        wake_.notify_all();
        if (whileServing) whileServing();
    }
    bool requestWaiting() {
        std::lock_guard<std::mutex> lock(mutex_);
        return waiting_ > 0;
    }
    // Runs on the UI thread each time it serves (e.g. a click that arrives meanwhile).
    void WhileServing(std::function<void()> action) {
        std::lock_guard<std::mutex> lock(mutex_);
        whileServing_ = std::move(action);
    }

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    int waiting_ = 0, served_ = 0;
    std::function<void()> whileServing_;
};

class Connect : public ::testing::Test {
  protected:
    void SetUp() override {
        ui.ComboInsert(IDC_READERS, 0, "Alpha");
        ui.ComboInsert(IDC_READERS, 1, "Beta");
        readers.SetListing(0, "Alpha[E]Beta[E]");
        g_readPending = 1;  // as start-up leaves them
        g_burnPending = 1;
    }
    void TearDown() override {
        readers.OnConnect(nullptr);
        ui.WhileServing(nullptr);
        StopLoops(dlg);
        LoopThread::FailStartsForTesting(false);
        g_readerName.Set(QString());
    }
    void ConnectTo(int entry) {
        ui.SelectComboEntry(IDC_READERS, entry);
        OnConnect(dlg);
    }
    // Runs a UI-thread action that must not hang; a hang fails the test program at once.
    void MustFinish(const std::function<void()>& action) {
        auto done = std::async(std::launch::async, action);
        if (done.wait_for(5s) != std::future_status::ready) {
            ADD_FAILURE() << "the UI thread is deadlocked";
            std::_Exit(1);
        }
    }
    bool Connected(const QString& name) {
        return WaitFor([&] { return readers.connectedNames().contains(name); });
    }

    ScriptedPcsc readers;
    ScriptedTokenLibrary library;
    BlockingWindow ui;
    DialogState state;
    Dialog dlg{ui, state};
};

TEST_F(Connect, StartsTheWatchOnTheSelectedReader) {
    readers.LayToken("Alpha");
    ConnectTo(0);
    EXPECT_EQ(ui.messages(), QStringList{"Successful operation!"});
    EXPECT_EQ(g_watchState.load(), 1);
    EXPECT_EQ(g_readerName.Get(), "Alpha");
    EXPECT_TRUE(WaitFor([&] { return state.m_strSerial.Get() == "1234567890"; }));
    readers.LiftToken("Alpha");
    EXPECT_TRUE(WaitFor([&] { return state.m_strSerial.IsEmpty(); }));
}

TEST_F(Connect, AgainStopsTheOldLoopAndStartsOneOnTheNewReader) {
    readers.LayToken("Alpha");
    readers.LayToken("Beta");
    ConnectTo(0);
    ASSERT_TRUE(WaitFor([] { return ScriptedTokenLibrary::reads() == 1; }));
    ConnectTo(1);
    // The token on the new reader is read, not taken for the one read on the old reader.
    EXPECT_TRUE(WaitFor([] { return ScriptedTokenLibrary::lastReader() == "Beta"; }));
    const int before = int(readers.connectedNames().size());
    ASSERT_TRUE(Connected("Beta"));
    std::this_thread::sleep_for(200ms);
    const QStringList after = readers.connectedNames().mid(before);
    EXPECT_FALSE(after.contains("Alpha"));
    EXPECT_EQ(readers.mostConnectsAtOnce(), 1);  // one loop at a time
    EXPECT_EQ(ui.messages(), QStringList(2, "Successful operation!"));
    EXPECT_EQ(g_watchState.load(), 1);
}

TEST_F(Connect, WithoutSelectionWarnsAndTheOldLoopGoesOn) {
    ConnectTo(0);
    ASSERT_TRUE(Connected("Alpha"));
    ConnectTo(-1);
    EXPECT_EQ(ui.messages(),
              (QStringList{"Successful operation!", "Please select a card reader!"}));
    EXPECT_EQ(g_readerName.Get(), "Alpha");
    const int before = int(readers.connectedNames().size());
    EXPECT_TRUE(WaitFor([&] { return readers.connectedNames().size() > before + 2; }));
}

TEST_F(Connect, WithoutSelectionBeforeAnyLoopStartsNothing) {
    ConnectTo(-1);
    EXPECT_EQ(ui.messages(), QStringList{"Please select a card reader!"});
    EXPECT_EQ(g_watchState.load(), 0);
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(readers.connectedNames().isEmpty());
}

TEST_F(Connect, ServesThePassWaitingOnTheUiThreadAndRefusesToReenter) {
    ConnectTo(0);
    ASSERT_TRUE(Connected("Alpha"));
    std::atomic<bool> block{true};
    readers.OnConnect([&] {
        if (block.exchange(false)) ui.SynchronousRequest();
    });
    ASSERT_TRUE(WaitFor([&] { return ui.requestWaiting(); }));

    // A second click arriving while Connect serves must not start a nested wait.
    ui.WhileServing([&] { OnConnect(dlg); });
    MustFinish([&] { ConnectTo(1); });
    ui.WhileServing(nullptr);
    EXPECT_EQ(ui.messages(), QStringList(2, "Successful operation!"));
    EXPECT_TRUE(Connected("Beta"));
}

TEST_F(Connect, AfterALoopThatCouldNotStartDoesNotWait) {
    LoopThread::FailStartsForTesting(true);
    MustFinish([&] { ConnectTo(0); });
    EXPECT_TRUE(ui.messages().isEmpty());  // no success claimed for a loop that is not there
    EXPECT_EQ(g_watchState.load(), 0);

    LoopThread::FailStartsForTesting(false);
    MustFinish([&] { ConnectTo(1); });
    EXPECT_EQ(ui.messages(), QStringList{"Successful operation!"});
    EXPECT_TRUE(Connected("Beta"));
}

TEST_F(Connect, ShutDownEndsBothLoopsEvenWhileAPassWaitsOnTheUiThread) {
    StartReaderMonitor(dlg);
    ConnectTo(0);
    ASSERT_TRUE(WaitFor([&] { return readers.lists() > 2 && Connected("Alpha"); }));
    readers.OnConnect([&] { ui.SynchronousRequest(); });
    ASSERT_TRUE(WaitFor([&] { return ui.requestWaiting(); }));

    MustFinish([&] { StopLoops(dlg); });
    EXPECT_EQ(g_watchState.load(), 0);
    const int lists = readers.lists();
    const qsizetype connects = readers.connectedNames().size();
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(readers.lists(), lists);
    EXPECT_EQ(readers.connectedNames().size(), connects);

    // The program can start its loops again afterwards (a new window).
    readers.OnConnect(nullptr);
    StartReaderMonitor(dlg);
    EXPECT_TRUE(WaitFor([&] { return readers.lists() > lists; }));
}

}  // namespace
