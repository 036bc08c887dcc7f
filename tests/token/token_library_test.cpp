// Loading the token library and resolving its entry points.
#include "token/token_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "token/library_search.h"

namespace {

class TokenLibraryTest : public ::testing::Test {
  protected:
    void TearDown() override {
        g_tokenApi = {};
        UnloadTokenLibrary(library_);
    }
    void* library_ = nullptr;
};

TEST_F(TokenLibraryTest, LoadsOurLibraryFromTheProgramsFolderWithAllEntryPoints) {
    library_ = LoadTokenLibrary();
    ASSERT_NE(library_, nullptr);
    ResolveTokenApi(library_, g_tokenApi);
    EXPECT_NE(g_tokenApi.CardReadSnAndTime, nullptr);
    EXPECT_NE(g_tokenApi.CardVerify, nullptr);
    EXPECT_NE(g_tokenApi.CardSetTime, nullptr);
    EXPECT_NE(g_tokenApi.CardBurnSeed, nullptr);
    EXPECT_NE(g_tokenApi.CardSeal, nullptr);
    UnloadTokenLibrary(library_);
    EXPECT_EQ(library_, nullptr);
    UnloadTokenLibrary(library_);  // harmless twice
}

TEST_F(TokenLibraryTest, AMissingLibraryLeavesEveryOperationFailing) {
    std::filesystem::path empty = std::filesystem::temp_directory_path() / "ondrel-no-library";
    std::filesystem::create_directories(empty);
    library_ = LoadLibraryFrom(empty.string(), "libBrasmidAbsent.so");
    std::filesystem::remove(empty);
    EXPECT_EQ(library_, nullptr);

    g_tokenApi.CardVerify = [](const char*, const char*) { return 0; };  // stale from before
    ResolveTokenApi(library_, g_tokenApi);
    EXPECT_EQ(g_tokenApi.CardVerify, nullptr);
    char serial[32] = {}, time[64] = {};
    int serialLen = 32, timeLen = 64;
    unsigned char seed[96] = {};
    EXPECT_EQ(CallCardReadSnAndTime("r", serial, &serialLen, time, &timeLen), -1);
    EXPECT_EQ(CallCardVerify("r", "k"), -1);
    EXPECT_EQ(CallCardSetTime("r", "k", "2024/01/01/00/00/00"), -1);
    EXPECT_EQ(CallCardBurnSeed("r", "k", seed, 10), -1);
    EXPECT_EQ(CallCardSeal("r", "k"), -1);
}

TEST_F(TokenLibraryTest, AMissingExportStaysNullAndItsOperationFails) {
    library_ = LoadLibraryFrom(ProgramFolder(), "libBrasmidNoSeal.so");
    ASSERT_NE(library_, nullptr);
    ResolveTokenApi(library_, g_tokenApi);
    EXPECT_EQ(g_tokenApi.CardSeal, nullptr);
    EXPECT_EQ(CallCardSeal("r", "k"), -1);
    EXPECT_NE(g_tokenApi.CardVerify, nullptr);
    EXPECT_EQ(CallCardVerify("r", "k"), 0) << "the exports that exist are called";
}

TEST_F(TokenLibraryTest, FallsBackToTheSystemSearchByBareName) {
    // Not in the folder given, but found through the loader's own search path.
    library_ = LoadLibraryFrom("/nonexistent", "libc.so.6");
    EXPECT_NE(library_, nullptr);
}

}  // namespace
