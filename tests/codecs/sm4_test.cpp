#include "keys/sm4.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstring>
#include <memory>

#include "tests/codecs/test_bytes.h"

namespace {

const std::string kExampleKey = "0123456789ABCDEFFEDCBA9876543210";

// Keeps g_storageKey as it was, whatever a test puts into it.
class Sm4Test : public ::testing::Test {
  protected:
    void SetUp() override { std::memcpy(saved_, g_storageKey, sizeof saved_); }
    void TearDown() override { std::memcpy(g_storageKey, saved_, sizeof saved_); }

    static void UseStorageKey(const Bytes& key) {
        ASSERT_EQ(key.size(), 16u);
        std::memcpy(g_storageKey, key.data(), 16);
    }

    // Runs Sm4EcbCrypt with room for exactly the data; expects success.
    static Bytes Crypt(int mode, Bytes data) {
        uint32_t room = static_cast<uint32_t>(data.size());
        EXPECT_EQ(Sm4EcbCrypt(mode, &room, room, data.data(), data.data()), 0);
        return data;
    }

  private:
    uint32_t saved_[4];
};

Bytes OpenSslSm4Ecb(const Bytes& key, bool decipher, const Bytes& input) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    Bytes output(input.size() + 16);
    int written = 0;
    int last = 0;
    if (!ctx ||
        EVP_CipherInit_ex(ctx.get(), EVP_sm4_ecb(), nullptr, key.data(), nullptr,
                          decipher ? 0 : 1) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
        EVP_CipherUpdate(ctx.get(), output.data(), &written, input.data(),
                         static_cast<int>(input.size())) != 1 ||
        EVP_CipherFinal_ex(ctx.get(), output.data() + written, &last) != 1) {
        ADD_FAILURE() << "OpenSSL SM4-ECB failed";
        return {};
    }
    output.resize(static_cast<size_t>(written + last));
    return output;
}

TEST_F(Sm4Test, StandardExampleBothWays) {
    UseStorageKey(FromHex(kExampleKey));
    const Bytes cipher = Crypt(0, FromHex(kExampleKey));
    EXPECT_EQ(ToHex(cipher), "681EDF34D206965E86B3E94F536E4246");
    EXPECT_EQ(ToHex(Crypt(1, cipher)), kExampleKey);

    Bytes viaKey = FromHex(kExampleKey);
    Sm4EcbWithKey(FromHex(kExampleKey).data(), false, viaKey.data(), viaKey.data(), 16);
    EXPECT_EQ(viaKey, cipher);
}

TEST_F(Sm4Test, StandardMillionFoldExample) {
    const Bytes key = FromHex(kExampleKey);
    Bytes block = key;
    for (int i = 0; i < 1'000'000; ++i)
        Sm4EcbWithKey(key.data(), false, block.data(), block.data(), 16);
    EXPECT_EQ(ToHex(block), "595298C7C6FD271F0402F804C33D3F66");
}

// Stored customer keys depend on this exact key: it must never change.
TEST_F(Sm4Test, FixedStorageKey) {
    std::memset(g_storageKey, 0, sizeof g_storageKey);
    SetStorageKey();
    uint8_t inMemory[16];
    std::memcpy(inMemory, g_storageKey, 16);
    EXPECT_EQ(ToHex(inMemory, 16), "AEC73887C08A258EC2907B8489D7E1B6");
    EXPECT_EQ(ToHex(Crypt(0, FromHex("57EE78C05FFF6B5D0AC061C6E5635B4B"))),
              "BC31EABB212ED9D0E5430E26648340ED");
}

TEST_F(Sm4Test, InPlaceRoundTripOverSeveralBlocks) {
    SetStorageKey();
    for (size_t blocks : {1u, 2u, 5u}) {
        const Bytes plain = RandomBytes(16 * blocks, static_cast<uint32_t>(blocks));
        const Bytes cipher = Crypt(0, plain);
        EXPECT_NE(cipher, plain);
        EXPECT_EQ(Crypt(1, cipher), plain) << blocks << " blocks";
    }
}

TEST_F(Sm4Test, ResultCodes) {
    struct Case {
        const char* what;
        int mode;
        bool nullCapacity;
        uint32_t room;
        uint32_t length;
        bool nullInput;
        bool nullOutput;
        int result;
        uint32_t roomAfter;
    };
    const Case cases[] = {
        {"mode 2", 2, false, 32, 16, false, false, -2, 32},
        {"mode -1", -1, false, 32, 16, false, false, -2, 32},
        {"length 15", 0, false, 32, 15, false, false, -1, 32},
        {"length 0", 0, false, 32, 0, false, false, -1, 32},
        {"room 16 for 32", 0, false, 16, 32, false, false, 8, 32},
        {"null input before mode", 2, false, 32, 16, true, false, -1, 32},
        {"null capacity", 0, true, 0, 16, false, false, -1, 0},
        {"null output", 1, false, 32, 16, false, true, -1, 32},
        {"exact room", 1, false, 32, 32, false, false, 0, 32},
    };
    SetStorageKey();
    for (const Case& c : cases) {
        const Bytes input = RandomBytes(32, 7);
        Bytes output(32, 0x5A);
        uint32_t room = c.room;
        const int result = Sm4EcbCrypt(c.mode, c.nullCapacity ? nullptr : &room, c.length,
                                       c.nullInput ? nullptr : input.data(),
                                       c.nullOutput ? nullptr : output.data());
        EXPECT_EQ(result, c.result) << c.what;
        if (!c.nullCapacity) {
            EXPECT_EQ(room, c.roomAfter) << c.what;
        }
        if (result != 0) {
            EXPECT_EQ(output, Bytes(32, 0x5A)) << c.what << ": output touched";
        }
    }
}

TEST_F(Sm4Test, AgreesWithOpenSsl) {
    for (uint32_t round = 0; round < 20; ++round) {
        const Bytes key = RandomBytes(16, 1000 + round);
        const Bytes plain = RandomBytes(16 * (1 + round % 6), 2000 + round);
        const Bytes expected = OpenSslSm4Ecb(key, false, plain);

        Bytes viaKey(plain.size());
        Sm4EcbWithKey(key.data(), false, plain.data(), viaKey.data(), plain.size());
        EXPECT_EQ(ToHex(viaKey), ToHex(expected)) << "round " << round;
        Sm4EcbWithKey(key.data(), true, viaKey.data(), viaKey.data(), viaKey.size());
        EXPECT_EQ(viaKey, plain) << "round " << round;

        UseStorageKey(key);
        EXPECT_EQ(ToHex(Crypt(0, plain)), ToHex(expected)) << "round " << round;
        EXPECT_EQ(Crypt(1, expected), plain) << "round " << round;
    }
}

}  // namespace
