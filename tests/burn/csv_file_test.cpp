#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "burn/burn_records.h"
#include "res/resource.h"
#include "seeds/base32.h"
#include "tests/burn/working_folder.h"
#include "tests/keys/qt_printers.h"
#include "tests/support/fake_window.h"

namespace {

const QByteArray kHeader = "upn,serial number,secret key,time interval,manufacturer,model\r\n";

using CsvFile = InWorkingFolder;

TEST_F(CsvFile, HeaderOnlyForANewFile) {
    AppendCsvRow("a.csv", "4172021000001", "GEZDGNBVGY3TQOJQ");
    AppendCsvRow("a.csv", "4172033000002", "MFRGGZDFMZTWQ2LK");
    EXPECT_EQ(ReadFile("a.csv"), kHeader +
                                     "user@example.com,4172021000001,GEZDGNBVGY3TQOJQ,30,Tamrek,"
                                     "Pebble3\r\n"
                                     "user@example.com,4172033000002,MFRGGZDFMZTWQ2LK,30,Tamrek,"
                                     "K711\r\n");

    // An existing file with rows gets none; an empty one gets its header.
    WriteFile("old.csv", "earlier\r\n");
    WriteFile("empty.csv", "");
    AppendCsvRow("old.csv", "1", "AAAA");
    AppendCsvRow("empty.csv", "1", "AAAA");
    const QByteArray row = "user@example.com,1,AAAA,30,Tamrek,Tamrek Programmable Token\r\n";
    EXPECT_EQ(ReadFile("old.csv"), "earlier\r\n" + row);
    EXPECT_EQ(ReadFile("empty.csv"), kHeader + row);
}

TEST_F(CsvFile, WrittenOnlyWhenTheBoxIsTicked) {
    FakeDialog fake;
    fake.ui.SetText(IDC_CSV_NAME, "12345.csv");
    AppendCsvRowIfTicked(fake.dlg, "4172021000001", "AAAA");
    EXPECT_EQ(ReadFile("12345.csv"), "<missing>");

    fake.ui.SetChecked(IDC_SAVE_CSV, true);
    AppendCsvRowIfTicked(fake.dlg, "4172021000001", "AAAA");
    EXPECT_EQ(ReadFile("12345.csv"),
              kHeader + "user@example.com,4172021000001,AAAA,30,Tamrek,Pebble3\r\n");
}

TEST_F(CsvFile, AnUnopenableFileIsSkippedSilently) {
    AppendCsvRow("", "1", "AAAA");
    AppendCsvRow("no/such/folder.csv", "1", "AAAA");
    EXPECT_TRUE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(ModelForSerial, ByTheFirstSevenCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"4172031000001", "K710"},
        {"4172033000001", "K711"},
        {"4172020000001", "Pebble2"},
        {"4172021000001", "Pebble3"},
        {"4172029123456", "Pebble3"},
        {"4172032000001", "Cardlet1"},
        {"4172029", "Pebble3"},
        {"4172030000001", "Tamrek Programmable Token"},
        {"417202", "Tamrek Programmable Token"},
        {"", "Tamrek Programmable Token"},
        {"04172029", "Tamrek Programmable Token"},
    };
    for (const auto& [serial, model] : cases) EXPECT_EQ(ModelForSerial(serial), model) << serial;
}

QString RunTool(const QString& program, const QStringList& arguments,
                const QByteArray& input = {}) {
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(10000) || process.exitCode() != 0) return "<failed>";
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}

// The secret field must be what Azure MFA and authenticator tools read as the burnt seed.
TEST_F(CsvFile, SecretIsTheBase32OfTheBurntSeed) {
    const QByteArray seed = "12345678901234567890";  // the RFC 6238 test seed
    const auto* bytes = reinterpret_cast<const uint8_t*>(seed.constData());
    AppendCsvRow("s.csv", "4172021000001",
                 QString::fromStdString(Base32Encode(bytes, seed.size())));

    const QList<QByteArray> lines = ReadFile("s.csv").split('\n');
    ASSERT_GE(lines.size(), 2);
    const QList<QByteArray> fields = lines[1].trimmed().split(',');
    ASSERT_EQ(fields.size(), 6);
    const QString secret = QString::fromLatin1(fields[2]);
    EXPECT_TRUE(QRegularExpression("^[A-Z2-7]{1,128}$").match(secret).hasMatch())
        << secret.toStdString();

    // coreutils wants the padding that the import leaves out.
    QByteArray padded = fields[2];
    while (padded.size() % 8) padded += '=';
    EXPECT_EQ(RunTool("base32", {"-d"}, padded), QString::fromLatin1(seed));
    // RFC 6238's 8-digit code for this seed at 59 s.
    EXPECT_EQ(RunTool("oathtool",
                      {"--totp", "-b", "-d", "8", "--now", "1970-01-01 00:00:59 UTC", secret}),
              QString("94287082"));
}

}  // namespace
