// Our token library, loaded as the program loads it, against simulated tokens on our own pcscd.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <thread>

#include "seeds/base32.h"
#include "tests/support/token_bench.h"
#include "token/token_library.h"
#include "tokenlib/time_text.h"

namespace {

const char kKey[] = "57EE78C05FFF6B5D0AC061C6E5635B4B";
const char kOtherKey[] = "00112233445566778899AABBCCDDEEFF";

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char digits[3];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        text += digits;
    }
    return text;
}

std::vector<uint8_t> Seed(size_t length, uint8_t first) {
    std::vector<uint8_t> seed(length);
    for (size_t i = 0; i < length; ++i) seed[i] = static_cast<uint8_t>(first + 7 * i);
    return seed;
}

std::string Oathtool(const std::vector<uint8_t>& seed, const std::string& at) {
    std::string command =
        "oathtool --totp -b " + Base32Encode(seed.data(), seed.size()) + " --now @" + at + " 2>&1";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[128];
        while (std::fgets(line, sizeof line, pipe)) out += line;
        pclose(pipe);
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

struct Reading {
    int result;
    std::string serial;
    std::string time;
};

class BrasmidTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        library_ = LoadTokenLibrary();
        ResolveTokenApi(library_, g_tokenApi);
    }
    static void TearDownTestSuite() {
        g_tokenApi = {};
        UnloadTokenLibrary(library_);
    }

    // Starts the daemon and lays a token on reader 0 (and on reader 1 when asked).
    void SetUp() override {
        ASSERT_NE(library_, nullptr);
        ASSERT_TRUE(bench_.StartDaemon()) << bench_.LastError();
        reader_ = bench_.ReaderNames()[0];
    }
    TokenSimulator* LayOn(int reader, std::vector<std::string> options = {}) {
        options.push_back("--placed");
        TokenSimulator* token = bench_.StartSimulator(reader, options);
        EXPECT_NE(token, nullptr) << bench_.LastError();
        EXPECT_TRUE(token && bench_.WaitCard(reader, true));
        return token;
    }

    static Reading Read(const std::string& reader, int serialRoom = 32) {
        char serial[32] = {'x'};
        char time[64] = {'x'};
        int serialLen = serialRoom;
        int timeLen = 64;
        int result =
            g_tokenApi.CardReadSnAndTime(reader.c_str(), serial, &serialLen, time, &timeLen);
        return {result, serial, time};
    }
    static int Burn(const std::string& reader, std::vector<uint8_t> seed, const char* key = kKey) {
        int result = g_tokenApi.CardVerify(reader.c_str(), key);
        if (result != 0) return result;
        return g_tokenApi.CardBurnSeed(reader.c_str(), key, seed.data(),
                                       static_cast<int>(seed.size()));
    }

    static void* library_;
    TokenBench bench_;
    std::string reader_;
};
void* BrasmidTest::library_ = nullptr;

TEST_F(BrasmidTest, ReadsTheSerialNumberAndTheClock) {
    TokenSimulator* token = LayOn(0, {"--serial", "41720310007777", "--offset", "-86400"});
    ASSERT_NE(token, nullptr);
    Reading reading = Read(reader_);
    ASSERT_EQ(reading.result, 0);
    EXPECT_EQ(reading.serial, "41720310007777");
    int64_t clock = 0;
    ASSERT_TRUE(ParseTimeText(reading.time.c_str(), clock)) << reading.time;
    EXPECT_NEAR(static_cast<double>(clock), static_cast<double>(token->Clock()), 1.0);

    Reading cramped = Read(reader_, 14);  // no room for the terminating zero
    EXPECT_NE(cramped.result, 0);
    EXPECT_EQ(cramped.serial, "");
    EXPECT_EQ(cramped.time, "");
}

TEST_F(BrasmidTest, VerifiesOnlyTheRightKey) {
    ASSERT_NE(LayOn(0), nullptr);
    struct Case {
        const char* key;
        bool accepted;
    };
    for (const Case& c :
         {Case{kKey, true}, Case{"57ee78c05fff6b5d0ac061c6e5635b4b", true}, Case{kOtherKey, false},
          Case{"57EE78C05FFF6B5D0AC061C6E5635B4", false},
          Case{"57EE78C05FFF6B5D0AC061C6E5635B4B0", false},
          Case{"57EE78C05FFF6B5D0AC061C6E5635B4G", false},
          Case{" 7EE78C05FFF6B5D0AC061C6E5635B4B", false}, Case{"", false}, Case{nullptr, false}}) {
        EXPECT_EQ(g_tokenApi.CardVerify(reader_.c_str(), c.key) == 0, c.accepted)
            << (c.key ? c.key : "null");
    }
    EXPECT_NE(g_tokenApi.CardVerify(nullptr, kKey), 0);
    EXPECT_NE(g_tokenApi.CardVerify("Ondrel Bench Z 00 00", kKey), 0);
}

TEST_F(BrasmidTest, ABurntSeedShowsTheCodeThatOathtoolComputes) {
    TokenSimulator* token = LayOn(0);
    ASSERT_NE(token, nullptr);
    for (size_t length : {size_t{10}, size_t{20}, size_t{96}}) {
        std::vector<uint8_t> seed = Seed(length, static_cast<uint8_t>(length));
        ASSERT_EQ(Burn(reader_, seed), 0) << length;
        std::map<std::string, std::string> status = token->Status();
        EXPECT_EQ(status["seed"], Hex(seed));
        EXPECT_EQ(status["code"], Oathtool(seed, status["clock"])) << length;
    }
    // Lengths the token cannot take are refused before anything is sent.
    ASSERT_EQ(g_tokenApi.CardVerify(reader_.c_str(), kKey), 0);
    std::vector<uint8_t> big = Seed(97, 1);
    EXPECT_NE(g_tokenApi.CardBurnSeed(reader_.c_str(), kKey, big.data(), 97), 0);
    EXPECT_NE(g_tokenApi.CardBurnSeed(reader_.c_str(), kKey, big.data(), 0), 0);
    EXPECT_NE(g_tokenApi.CardBurnSeed(reader_.c_str(), kKey, nullptr, 10), 0);
    EXPECT_EQ(token->Counter("burn"), 3u);
}

TEST_F(BrasmidTest, BurningNeedsAVerifyWithTheSameKeyInTheSameSession) {
    TokenSimulator* token = LayOn(0, {"--key", kOtherKey});
    ASSERT_NE(token, nullptr);
    std::vector<uint8_t> seed = Seed(20, 3);
    unsigned char* bytes = seed.data();

    EXPECT_NE(g_tokenApi.CardBurnSeed(reader_.c_str(), kOtherKey, bytes, 20), 0) << "no verify";
    EXPECT_NE(g_tokenApi.CardVerify(reader_.c_str(), kKey), 0) << "the token has another key";
    EXPECT_NE(g_tokenApi.CardBurnSeed(reader_.c_str(), kKey, bytes, 20), 0)
        << "after a failed verify";
    ASSERT_EQ(g_tokenApi.CardVerify(reader_.c_str(), kOtherKey), 0);
    EXPECT_NE(g_tokenApi.CardBurnSeed(reader_.c_str(), kKey, bytes, 20), 0) << "another key";

    // Lifting the token ends its session, though the library still holds its half.
    ASSERT_EQ(g_tokenApi.CardVerify(reader_.c_str(), kOtherKey), 0);
    ASSERT_TRUE(token->Lift());
    ASSERT_TRUE(bench_.WaitCard(0, false));
    ASSERT_TRUE(token->Place());
    ASSERT_TRUE(bench_.WaitCard(0, true));
    EXPECT_NE(g_tokenApi.CardBurnSeed(reader_.c_str(), kOtherKey, bytes, 20), 0) << "new session";
    EXPECT_EQ(token->Seed(), "none");
    EXPECT_EQ(Burn(reader_, seed, kOtherKey), 0);
}

TEST_F(BrasmidTest, SettingTheClockShowsInTheNextRead) {
    TokenSimulator* token = LayOn(0, {"--seed", "3132333435363738393031323334353637383930"});
    ASSERT_NE(token, nullptr);
    ASSERT_EQ(g_tokenApi.CardVerify(reader_.c_str(), kKey), 0);
    ASSERT_EQ(g_tokenApi.CardSetTime(reader_.c_str(), kKey, "2030/01/02/03/04/05"), 0);
    int64_t expected = 0;
    ASSERT_TRUE(ParseTimeText("2030/01/02/03/04/05", expected));
    Reading reading = Read(reader_);
    ASSERT_EQ(reading.result, 0);
    int64_t clock = 0;
    ASSERT_TRUE(ParseTimeText(reading.time.c_str(), clock)) << reading.time;
    EXPECT_NEAR(static_cast<double>(clock), static_cast<double>(expected), 2.0);
    EXPECT_NE(token->Seed(), "none") << "this model keeps its seed";

    // A malformed text is refused and the clock stays.
    ASSERT_EQ(g_tokenApi.CardVerify(reader_.c_str(), kKey), 0);
    EXPECT_NE(g_tokenApi.CardSetTime(reader_.c_str(), kKey, "2030/1/2/3/4/5"), 0);
    EXPECT_NE(g_tokenApi.CardSetTime(reader_.c_str(), kKey, nullptr), 0);
    EXPECT_NEAR(static_cast<double>(token->Clock()), static_cast<double>(expected), 2.0);
    EXPECT_EQ(token->Counter("settime"), 1u);
}

TEST_F(BrasmidTest, OnTheModelThatClearsItSettingTheClockClearsTheSeed) {
    TokenSimulator* token = LayOn(0, {"--model", "clears-seed", "--seed", "31323334353637383930"});
    ASSERT_NE(token, nullptr);
    ASSERT_EQ(g_tokenApi.CardVerify(reader_.c_str(), kKey), 0);
    ASSERT_EQ(g_tokenApi.CardSetTime(reader_.c_str(), kKey, "2031/05/06/07/08/09"), 0);
    EXPECT_EQ(token->Seed(), "none");
}

TEST_F(BrasmidTest, ASealedTokenRefusesNewSeeds) {
    TokenSimulator* token = LayOn(0);
    ASSERT_NE(token, nullptr);
    std::vector<uint8_t> first = Seed(20, 1);
    ASSERT_EQ(Burn(reader_, first), 0);
    ASSERT_EQ(g_tokenApi.CardVerify(reader_.c_str(), kKey), 0);
    ASSERT_EQ(g_tokenApi.CardSeal(reader_.c_str(), kKey), 0);
    EXPECT_TRUE(token->Sealed());
    EXPECT_NE(Burn(reader_, Seed(20, 9)), 0);
    EXPECT_EQ(token->Seed(), Hex(first));
    EXPECT_EQ(Read(reader_).result, 0) << "a sealed token still reads";
}

// The virtual reader gives an empty answer or an error when the token goes mid-command.
TEST_F(BrasmidTest, ATokenLiftedDuringACallFailsPromptly) {
    TokenSimulator* token = LayOn(0);
    ASSERT_NE(token, nullptr);
    std::vector<uint8_t> seed = Seed(20, 5);
    struct Case {
        const char* command;
        std::function<int()> call;
    };
    const char* reader = reader_.c_str();
    std::vector<Case> cases = {
        {"select", [&] { return Read(reader_).result; }},
        {"read", [&] { return Read(reader_).result; }},
        {"challenge", [&] { return g_tokenApi.CardVerify(reader, kKey); }},
        {"auth", [&] { return g_tokenApi.CardVerify(reader, kKey); }},
        {"burn", [&] { return Burn(reader_, seed); }},
        {"settime",
         [&] {
             int r = g_tokenApi.CardVerify(reader, kKey);
             return r ? r : g_tokenApi.CardSetTime(reader, kKey, "2030/01/01/00/00/00");
         }},
        {"seal",
         [&] {
             int r = g_tokenApi.CardVerify(reader, kKey);
             return r ? r : g_tokenApi.CardSeal(reader, kKey);
         }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(token->DropOn(c.command));
        auto start = std::chrono::steady_clock::now();
        EXPECT_NE(c.call(), 0) << c.command;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.command;
        EXPECT_EQ(token->Status()["placed"], "0") << c.command;
        ASSERT_TRUE(bench_.WaitCard(0, false));
        ASSERT_TRUE(token->Place());
        ASSERT_TRUE(bench_.WaitCard(0, true));
    }
    EXPECT_EQ(token->Seed(), "none");
    EXPECT_FALSE(token->Sealed());
}

TEST_F(BrasmidTest, CallsFromSeveralThreadsAtOnceStayCorrect) {
    TokenSimulator* first = LayOn(0);
    TokenSimulator* second = LayOn(1);
    ASSERT_TRUE(first && second);
    const std::string other = bench_.ReaderNames()[1];
    constexpr int kRounds = 15;
    std::atomic<int> failures{0};
    auto burner = [&](const std::string& reader, uint8_t base) {
        for (int i = 0; i < kRounds; ++i) {
            if (Burn(reader, Seed(20, static_cast<uint8_t>(base + i))) != 0) ++failures;
        }
    };
    auto reader = [&](const std::string& name, const char* serial) {
        for (int i = 0; i < kRounds; ++i) {
            Reading r = Read(name);
            if (r.result != 0 || r.serial != serial) ++failures;
        }
    };
    std::vector<std::thread> threads;
    threads.emplace_back(burner, reader_, 10);
    threads.emplace_back(burner, reader_, 100);  // two burners on one reader share its session
    threads.emplace_back(reader, reader_, "41720310001234");
    threads.emplace_back(burner, other, 50);
    threads.emplace_back(reader, other, "41720310001234");
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(failures, 0);
    std::string last = first->Seed();
    EXPECT_TRUE(last == Hex(Seed(20, 10 + kRounds - 1)) || last == Hex(Seed(20, 100 + kRounds - 1)))
        << last;
    EXPECT_EQ(second->Seed(), Hex(Seed(20, 50 + kRounds - 1)));
    EXPECT_EQ(second->Counter("burn"), static_cast<uint64_t>(kRounds));
}

// Not a check: the numbers for the record (one burn, and how soon the daemon sees a token).
TEST_F(BrasmidTest, MeasuresABurnAndTheTimeToSeeALaidOnToken) {
    using Ms = std::chrono::duration<double, std::milli>;
    TokenSimulator* token = LayOn(0);
    ASSERT_NE(token, nullptr);
    constexpr int kBurns = 20;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBurns; ++i) ASSERT_EQ(Burn(reader_, Seed(20, static_cast<uint8_t>(i))), 0);
    double burn = Ms(std::chrono::steady_clock::now() - start).count() / kBurns;

    constexpr int kPlacements = 5;
    double seen = 0;
    double most = 0;
    for (int i = 0; i < kPlacements; ++i) {
        ASSERT_TRUE(token->Lift());
        ASSERT_TRUE(bench_.WaitCard(0, false));
        auto placed = std::chrono::steady_clock::now();
        ASSERT_TRUE(token->Place());
        ASSERT_TRUE(bench_.WaitCard(0, true));
        double ms = Ms(std::chrono::steady_clock::now() - placed).count();
        seen += ms / kPlacements;
        most = std::max(most, ms);
    }
    RecordProperty("burn_ms", std::to_string(burn));
    RecordProperty("placement_seen_ms", std::to_string(seen));
    std::printf(
        "one burn (verify + burn): %.1f ms; a laid-on token is seen after %.0f ms on "
        "average, %.0f ms at most\n",
        burn, seen, most);
}

}  // namespace
