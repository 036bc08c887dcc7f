// Command 1000: choosing a seed file or a seed library.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "res/resource.h"
#include "seeds/seed_source.h"
#include "tests/seeds/seed_test_support.h"
#include "tests/support/fake_window.h"

namespace {

const QString kLoadFailed = "Failed to load dynamic library!";

int EarlierGetSeed(const char*, int, unsigned char*, int*) {
    return 0;
}

class SelectSeedsFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSeedState(); }
    void Choose(const QString& path) {
        f_.ui.NextFileDialogAnswer(path);
        OnSelectSeedsFile(f_.dlg);
    }
    FakeDialog f_;
    ScratchFolder folder_;
};

TEST_F(SelectSeedsFileTest, SeedFileIsReadWhateverTheCaseOfItsExtension) {
    const QString path = folder_.Write("seeds.Txt", "1234567 MFRGGZDF\n");
    Choose(path);

    EXPECT_EQ(f_.ui.fileDialogFilters(),
              QStringList{"Txt Files (*.txt)|*.txt|Dll Files(*.dll)|*.dll|"
                          "Shared Libraries (*.so)|*.so|All Files (*.*)|*.*||"});
    EXPECT_EQ(f_.state.m_strSeedFile.Get(), path);
    EXPECT_EQ(f_.ui.GetText(IDC_SEEDS_FILE_PATH), path);
    EXPECT_EQ(g_seedSource, kSeedSourceMap);
    EXPECT_EQ(g_seedMap, (SeedMap{{u"1234567", u"6162636465"}}));
    EXPECT_TRUE(f_.ui.messages().isEmpty());
}

TEST_F(SelectSeedsFileTest, MissingSeedFileStillChoosesTheMap) {
    g_seedMap[u"1"] = u"616263";
    Choose(folder_.Path("missing.txt"));
    EXPECT_EQ(g_seedSource, kSeedSourceMap);
    EXPECT_EQ(g_seedMap, (SeedMap{{u"1", u"616263"}}));
    EXPECT_TRUE(f_.ui.messages().isEmpty());
}

// Other extensions, no extension and a cancelled dialog change only the stored path.
TEST_F(SelectSeedsFileTest, OtherChoicesChangeOnlyThePath) {
    const QString files[] = {folder_.Write("seeds.text", "1 MFRGG\n"),
                             folder_.Write("seeds", "1 MFRGG\n"),
                             folder_.Write("seeds.dylib", "not a library"), QString()};
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        g_seedMap = {{u"old", u"00"}};
        f_.ui.SetText(IDC_SEEDS_FILE_PATH, "before");
        Choose(path);
        EXPECT_EQ(f_.state.m_strSeedFile.Get(), path);
        EXPECT_EQ(f_.ui.GetText(IDC_SEEDS_FILE_PATH), path);
        EXPECT_EQ(g_seedSource, kSeedSourceNone);
        EXPECT_EQ(g_seedMap, (SeedMap{{u"old", u"00"}}));
        EXPECT_EQ(g_hSeedLibrary, nullptr);
    }
    EXPECT_TRUE(f_.ui.messages().isEmpty());
}

TEST_F(SelectSeedsFileTest, LibraryThatFailsToLoadKeepsTheEarlierEntryPoint) {
    const QString files[] = {folder_.Write("broken.so", "not a library"),
                             folder_.Write("broken.DLL", "not a library"),
                             folder_.Path("missing.Dll")};
    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        FakeDialog f;
        g_pfnGetSeed = &EarlierGetSeed;
        g_hSeedLibrary = &f;  // any earlier handle
        f.ui.NextFileDialogAnswer(path);
        OnSelectSeedsFile(f.dlg);
        EXPECT_EQ(f.ui.messages(), QStringList{kLoadFailed});
        EXPECT_EQ(g_seedSource, kSeedSourceLibrary);
        EXPECT_EQ(g_hSeedLibrary, nullptr);
        EXPECT_EQ(g_pfnGetSeed, &EarlierGetSeed);
    }
}

TEST_F(SelectSeedsFileTest, LibraryWithoutGetSeedStaysLoaded) {
    g_pfnGetSeed = &EarlierGetSeed;
    Choose(folder_.Copy(FIXTURE_NO_GETSEED_LIBRARY, "plain.so"));
    EXPECT_EQ(f_.ui.messages(), QStringList{kLoadFailed});
    EXPECT_EQ(g_seedSource, kSeedSourceLibrary);
    EXPECT_NE(g_hSeedLibrary, nullptr);
    EXPECT_EQ(g_pfnGetSeed, nullptr);
}

// A library's GetSeed stays usable after a later choice fails to load: nothing is unloaded.
TEST_F(SelectSeedsFileTest, LibraryIsAskedForSeedsAndStaysLoaded) {
    g_seedMap = {{u"1", u"616263"}};
    Choose(folder_.Copy(FIXTURE_GETSEED_LIBRARY, "fixture.SO"));
    ASSERT_NE(g_pfnGetSeed, nullptr);
    EXPECT_TRUE(f_.ui.messages().isEmpty());
    EXPECT_EQ(g_seedSource, kSeedSourceLibrary);
    EXPECT_EQ(g_seedMap, (SeedMap{{u"1", u"616263"}}));

    Choose(folder_.Write("broken.so", "not a library"));
    ASSERT_NE(g_pfnGetSeed, nullptr);
    unsigned char seed[96] = {};
    int seedLen = 96;
    EXPECT_EQ(g_pfnGetSeed("abc", 3, seed, &seedLen), 0);
    EXPECT_EQ(seedLen, 3);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(seed), seedLen), "cba");
    EXPECT_NE(g_pfnGetSeed("none", 4, seed, &seedLen), 0);
}

// The burn procedure may hold the seed lock while it waits on a window request; the command
// must keep serving those requests while it waits for the lock, or both threads would hang.
class ServingWindow : public FakeWindow {
  public:
    void ServePendingRequests() override { served = true; }
    std::atomic<bool> served{false};
};

TEST(SelectSeedsFileLock, ServesTheWindowWhileWaitingForTheLock) {
    ResetSeedState();
    ScratchFolder folder;
    ServingWindow ui;
    DialogState state;
    Dialog dlg{ui, state};
    ui.NextFileDialogAnswer(folder.Write("seeds.txt", "1 MFRGG\n"));

    std::promise<void> locked;
    std::thread burn([&] {
        std::lock_guard<std::mutex> lock(g_seedLock);
        locked.set_value();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!ui.served && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    locked.get_future().wait();
    OnSelectSeedsFile(dlg);
    burn.join();

    EXPECT_TRUE(ui.served);
    EXPECT_EQ(g_seedMap, (SeedMap{{u"1", u"616263"}}));
}

}  // namespace
