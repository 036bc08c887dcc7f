// The sample seed library: seeds derived from the serial number and the master secret beside it.
#include <gtest/gtest.h>

#include "seeds/seed_source.h"
#include "tests/seeds/seed_test_support.h"
#include "tests/support/fake_window.h"

namespace {

// HMAC-SHA256 with twenty 0x0b bytes as key over "Hi There" (RFC 4231, case 1), first 20 bytes.
const QByteArray kMaster = "0b0b0b0b0b0b0b0b0b0b\n0b0b0b0b 0b0b0b0b0b0b\n";
const QByteArray kHiThereSeed = QByteArray::fromHex("b0344c61d8db38535ca8afceaf0bf12b881dc200");

struct SampleCase {
    const char* name;
    const char* master;  // content of seed_master.key, null for no file
    QByteArray serial;
    int room;
    QByteArray expected;  // empty: no seed
};
void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << c.name;
}

class SampleSeedLibraryTest : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleSeedLibraryTest, AnswersThroughTheCommand) {
    const SampleCase& c = GetParam();
    ResetSeedState();
    ScratchFolder folder;  // each case has its own copy, beside its own key file
    const QString library = folder.Copy(SAMPLE_SEED_LIBRARY, "tamrek_seedlib.so");
    ASSERT_FALSE(library.isEmpty());
    if (c.master != nullptr) folder.Write("seed_master.key", c.master);

    FakeDialog f;
    f.ui.NextFileDialogAnswer(library);
    OnSelectSeedsFile(f.dlg);
    ASSERT_TRUE(f.ui.messages().isEmpty());
    ASSERT_NE(g_pfnGetSeed, nullptr);

    unsigned char seed[96] = {};
    int seedLen = c.room;
    const int result = g_pfnGetSeed(c.serial.constData(), int(c.serial.size()), seed, &seedLen);
    if (c.expected.isEmpty()) {
        EXPECT_NE(result, 0);
        EXPECT_EQ(seedLen, c.room);
        EXPECT_EQ(QByteArray(reinterpret_cast<char*>(seed), 96), QByteArray(96, '\0'));
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(QByteArray(reinterpret_cast<char*>(seed), seedLen), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SampleSeedLibraryTest,
    ::testing::Values(SampleCase{"KnownSeed", kMaster.constData(), "Hi There", 96, kHiThereSeed},
                      SampleCase{"NoKeyFile", nullptr, "Hi There", 96, {}},
                      SampleCase{"ShortMasterSecret", "0b0b0b0b", "Hi There", 96, {}},
                      SampleCase{
                          "NotHex", "0b0b0b0b0b0b0b0b0b0b0b0b0b0b0b0b0g", "Hi There", 96, {}},
                      SampleCase{"BufferTooSmall", kMaster.constData(), "Hi There", 19, {}},
                      SampleCase{"EmptySerial", kMaster.constData(), "", 96, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
