// The loops in the real main window, against our pcscd with virtual readers and simulated
// tokens: what the operator sees in the controls, Connect through its button, and closing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <thread>

#include "app/kestrune_dlg.h"
#include "loops/loops.h"
#include "res/resource.h"
#include "tests/app/ui_test_support.h"
#include "tests/support/token_bench.h"
#include "token/reader_access.h"

namespace {

using Clock = std::chrono::steady_clock;

// The real PC/SC operations, counted; a watch pass can be made to wait on the UI thread first.
class CountedReaders : public ReaderAccess {
  public:
    explicit CountedReaders(WindowOps& window) : window_(window) { SetReaderAccess(this); }
    ~CountedReaders() override { SetReaderAccess(nullptr); }
    int List(QString& text) override {
        ++lists;
        return ListReaders(text);
    }
    intptr_t Connect(const QString& name) override {
        ++connects;
        // A synchronous request, as the burn procedure makes from the watch thread.
        if (askUiOnConnect.exchange(false)) {
            askingUi = true;
            window_.GetText(IDC_SEED);
            askingUi = false;
        }
        return ConnectReader(name);
    }
    void Release() override { ReleaseReader(); }

    std::atomic<int> lists{0}, connects{0};
    std::atomic<bool> askUiOnConnect{false};
    std::atomic<bool> askingUi{false};

  private:
    WindowOps& window_;
};

class LoopsInTheWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bench.StartDaemon({"Ondrel Bench A"})) << bench.LastError();
        window = std::make_unique<CKestruneDlg>();
        readers = std::make_unique<CountedReaders>(*window);
        window->OnInitDialog();
        window->show();
        ASSERT_TRUE(ProcessEventsUntil([&] { return Combo()->count() == 2; }));
    }
    void TearDown() override {
        window.reset();  // closing ends the loops
        readers.reset();
        g_readerName.Set(QString());
    }
    QComboBox* Combo() { return static_cast<QComboBox*>(window->Control(IDC_READERS)); }
    QString Shown(int id) { return window->GetText(id); }
    // Lets the next watch pass ask the window for something, and waits (without serving) until
    // it does.
    void PassWaitsOnTheWindow() {
        readers->askUiOnConnect = true;
        const auto end = Clock::now() + std::chrono::seconds(3);
        while (!readers->askingUi && Clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(readers->askingUi);
    }
    // Picks the bench reader and presses Connect; returns the message box's text.
    QString ConnectTo(int reader) {
        Combo()->setCurrentIndex(
            reader < 0 ? -1
                       : Combo()->findText(QString::fromStdString(bench.ReaderNames()[reader])));
        QString message;
        OnMessageBox([&](QWidget* box) {
            message = static_cast<QMessageBox*>(box)->text();
            box->close();
        });
        static_cast<QAbstractButton*>(window->Control(IDC_CONNECT))->click();
        ProcessEventsUntil([&] { return !message.isEmpty(); });
        return message;
    }

    TokenBench bench;
    std::unique_ptr<CKestruneDlg> window;
    std::unique_ptr<CountedReaders> readers;
};

TEST_F(LoopsInTheWindow, TokenShowsInTheLabelsAndClearsWhenLifted) {
    TokenSimulator* token = bench.StartSimulator(0, {"--serial", "2100000042"});
    ASSERT_NE(token, nullptr);
    EXPECT_EQ(ConnectTo(0), "Successful operation!");

    ASSERT_TRUE(token->Place());
    ASSERT_TRUE(bench.WaitCard(0, true));
    const auto seen = Clock::now();
    ASSERT_TRUE(ProcessEventsUntil([&] { return Shown(IDC_SERIAL) == "2100000042"; }));
    EXPECT_LT(Clock::now() - seen, std::chrono::seconds(1));
    EXPECT_FALSE(Shown(IDC_TIME).isEmpty());

    ASSERT_TRUE(token->Lift());
    EXPECT_TRUE(ProcessEventsUntil(
        [&] { return Shown(IDC_SERIAL).isEmpty() && Shown(IDC_TIME).isEmpty(); }));
    EXPECT_EQ(token->Counter("read"), 1u);
}

TEST_F(LoopsInTheWindow, ConnectWithoutSelectionWarnsAndTheLoopGoesOn) {
    TokenSimulator* token = bench.StartSimulator(0, {"--serial", "2100000042", "--placed"});
    ASSERT_NE(token, nullptr);
    EXPECT_EQ(ConnectTo(0), "Successful operation!");
    ASSERT_TRUE(ProcessEventsUntil([&] { return Shown(IDC_SERIAL) == "2100000042"; }));
    EXPECT_EQ(ConnectTo(-1), "Please select a card reader!");
    ASSERT_TRUE(token->Lift());
    EXPECT_TRUE(ProcessEventsUntil([&] { return Shown(IDC_SERIAL).isEmpty(); }));
}

TEST_F(LoopsInTheWindow, ConnectWhileAWatchPassWaitsOnTheWindow) {
    EXPECT_EQ(ConnectTo(0), "Successful operation!");
    for (int round = 0; round < 5; ++round) {
        PassWaitsOnTheWindow();
        const auto started = Clock::now();
        EXPECT_EQ(ConnectTo(round % 2), "Successful operation!");
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    }
    EXPECT_EQ(g_watchState.load(), 1);
}

TEST_F(LoopsInTheWindow, ClosingWhileBothLoopsRunEndsThemCleanly) {
    TokenSimulator* token = bench.StartSimulator(0, {"--serial", "2100000042", "--placed"});
    ASSERT_NE(token, nullptr);
    EXPECT_EQ(ConnectTo(0), "Successful operation!");
    ASSERT_TRUE(ProcessEventsUntil([&] { return Shown(IDC_SERIAL) == "2100000042"; }));
    PassWaitsOnTheWindow();  // closing finds a pass waiting on the window

    const auto started = Clock::now();
    window->reject();
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2));
    const int lists = readers->lists, connects = readers->connects;
    ProcessEventsUntil([] { return false; }, 200);
    EXPECT_EQ(readers->lists, lists);
    EXPECT_EQ(readers->connects, connects);
    EXPECT_EQ(g_watchState.load(), 0);
}

// From the daemon reporting the token present (an observer of its own) to the serial number in
// its label, over 20 placements.
TEST_F(LoopsInTheWindow, SerialFollowsThePlacementQuickly) {
    TokenSimulator* token = bench.StartSimulator(0, {"--serial", "2100000042"});
    ASSERT_NE(token, nullptr);
    EXPECT_EQ(ConnectTo(0), "Successful operation!");

    std::vector<double> latencies;
    for (int placement = 0; placement < 20; ++placement) {
        Clock::time_point seen;
        std::thread observer([&] {
            if (bench.WaitCard(0, true)) seen = Clock::now();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the observer is waiting
        const bool placed = token->Place();
        const bool shown =
            placed && ProcessEventsUntil([&] { return Shown(IDC_SERIAL) == "2100000042"; });
        const auto shownAt = Clock::now();
        observer.join();  // before any assertion can leave the test
        ASSERT_TRUE(placed && shown && seen != Clock::time_point());
        latencies.push_back(
            std::max(0.0, std::chrono::duration<double, std::milli>(shownAt - seen).count()));
        ASSERT_TRUE(token->Lift());
        ASSERT_TRUE(ProcessEventsUntil([&] { return Shown(IDC_SERIAL).isEmpty(); }));
        ASSERT_TRUE(bench.WaitCard(0, false));
    }
    std::sort(latencies.begin(), latencies.end());
    const double p50 = latencies[latencies.size() / 2];
    const double p95 = latencies[latencies.size() * 95 / 100];
    std::printf("token present -> serial in its label: p50 %.0f ms, p95 %.0f ms\n", p50, p95);
    RecordProperty("p50_ms", int(p50));
    RecordProperty("p95_ms", int(p95));
    EXPECT_LT(p95, 1000.0);
}

// The process's CPU share with both loops running, two readers and no token.
TEST_F(LoopsInTheWindow, IdleCpuWithTwoReadersAndNoToken) {
    EXPECT_EQ(ConnectTo(0), "Successful operation!");
    ProcessEventsUntil([] { return false; }, 500);
    timespec cpu0, cpu1;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
    const auto wall0 = Clock::now();
    QEventLoop idle;  // a real event loop: waits for events instead of polling
    QTimer::singleShot(5000, &idle, &QEventLoop::quit);
    idle.exec();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
    const double cpu = (cpu1.tv_sec - cpu0.tv_sec) + (cpu1.tv_nsec - cpu0.tv_nsec) / 1e9;
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    std::printf("idle CPU with two readers and no token: %.1f %% of one core\n",
                100.0 * cpu / wall);
    RecordProperty("idle_cpu_permille", int(1000.0 * cpu / wall));
}

}  // namespace

// The window tests run on the offscreen platform, in a scratch folder (start-up opens its log
// file in the current folder).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir::setCurrent(scratch.path())) return 2;
    return RUN_ALL_TESTS();
}
