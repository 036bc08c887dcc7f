// The key that start-up derives from the built-in default opens a token as it comes from the
// simulator (whose default key is the system's default customer key), through our token library.
#include <gtest/gtest.h>

#include "keys/customer_key.h"
#include "keys/sm4.h"
#include "tests/support/token_bench.h"
#include "token/token_library.h"

TEST(DefaultCustomerKeyOnToken, DerivedKeyVerifiesAgainstAFactoryToken) {
    SetStorageKey();
    LoadDefaultCustomerKey();
    const QString key = g_customerKey.Get();
    ASSERT_EQ(key.size(), 32);

    void* library = LoadTokenLibrary();
    ASSERT_NE(library, nullptr);
    ResolveTokenApi(library, g_tokenApi);

    TokenBench bench;
    ASSERT_TRUE(bench.StartDaemon()) << bench.LastError();
    TokenSimulator* token = bench.StartSimulator(0, {"--placed"});
    ASSERT_NE(token, nullptr) << bench.LastError();
    ASSERT_TRUE(bench.WaitCard(0, true));

    const QString reader = QString::fromStdString(bench.ReaderNames()[0]);
    EXPECT_EQ(CallCardVerify(reader, key), 0);
    // And a key that differs in one digit does not.
    QString wrong = key;
    wrong[0] = wrong[0] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    EXPECT_NE(CallCardVerify(reader, wrong), 0);

    g_tokenApi = {};
    UnloadTokenLibrary(library);
}
