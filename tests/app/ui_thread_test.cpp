// Window operations called from background threads: served by the UI thread while it runs,
// answered or refused at shut-down, never left waiting.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/kestrune_dlg.h"
#include "res/resource.h"
#include "tests/app/ui_test_support.h"

namespace {

using namespace std::chrono_literals;

// Joins the thread if it finishes in time; otherwise fails and lets it go, so the test ends.
bool JoinWithin(std::thread& thread, const std::atomic<bool>& finished,
                std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!finished && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    if (!finished) {
        thread.detach();
        return false;
    }
    thread.join();
    return true;
}

TEST(UiThread, RequestsOfABackgroundThreadAreServedWhileTheWindowRuns) {
    RecordingLoader loader;
    CKestruneDlg dlg(loader.Make());
    dlg.show();
    std::atomic<bool> finished{false};
    QString readBack;
    int entries = -1;
    bool servedOnUiThread = false;
    auto* combo = static_cast<QComboBox*>(dlg.Control(IDC_READERS));
    QObject::connect(combo, &QComboBox::currentTextChanged, combo,
                     [&] { servedOnUiThread = QThread::currentThread() == dlg.thread(); });
    std::thread worker([&] {
        dlg.SetText(IDC_SEED, QStringLiteral("JBSWY3DPEHPK3PXP"));
        readBack = dlg.GetText(IDC_SEED);
        dlg.ComboInsert(IDC_READERS, 0, QStringLiteral("ACS ACR122U 00 00"));
        dlg.SetText(IDC_READERS, QStringLiteral("typed"));
        entries = dlg.ComboCount(IDC_READERS);
        dlg.state().m_strSerial.Set(QStringLiteral("2101234567"));
        dlg.PostUpdateView();
        finished = true;
    });
    EXPECT_TRUE(ProcessEventsUntil([&] { return finished.load(); }));
    ASSERT_TRUE(JoinWithin(worker, finished, 1s));
    QCoreApplication::processEvents();  // the posted refresh

    EXPECT_EQ(readBack, QStringLiteral("JBSWY3DPEHPK3PXP"));
    EXPECT_EQ(entries, 1);
    EXPECT_TRUE(servedOnUiThread);
    EXPECT_EQ(dlg.GetText(IDC_SERIAL), QStringLiteral("2101234567"));
}

TEST(UiThread, ARequestPendingAtShutDownIsAnsweredAndLaterOnesRefused) {
    RecordingLoader loader;
    CKestruneDlg dlg(loader.Make());
    dlg.show();
    std::atomic<bool> finished{false};
    QString pendingAnswer = QStringLiteral("not answered");
    std::thread worker([&] {
        pendingAnswer = dlg.GetText(IDC_CLEAR_LOG);
        finished = true;
    });
    // The UI thread is busy elsewhere: the request waits until the window ends.
    while (dlg.PendingRequestCount() == 0 && !finished) std::this_thread::sleep_for(1ms);
    dlg.reject();
    ASSERT_TRUE(JoinWithin(worker, finished, 5s)) << "the exit hung on a pending request";
    EXPECT_EQ(pendingAnswer, QStringLiteral("clear log"));

    // After the window is gone: refused at once with neutral answers, from any thread.
    std::atomic<bool> refused{false};
    QString text = QStringLiteral("unset");
    int selected = 0, modal = 0;
    std::thread late([&] {
        text = dlg.GetText(IDC_CLEAR_LOG);
        selected = dlg.ComboSelected(IDC_READERS);
        modal = dlg.RunModalDialog(IDD_ABOUTBOX, nullptr);
        dlg.MessageBox(QStringLiteral("never shown"));
        dlg.PostUpdateView();
        refused = true;
    });
    ASSERT_TRUE(JoinWithin(late, refused, 5s));
    EXPECT_EQ(text, QString());
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(modal, IDCANCEL);
    EXPECT_EQ(dlg.GetText(IDC_CLEAR_LOG), QString());
}

}  // namespace
