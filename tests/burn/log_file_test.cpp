#include <gtest/gtest.h>

#include <QDir>
#include <cstdlib>
#include <ctime>

#include "burn/burn_records.h"
#include "res/resource.h"
#include "tests/burn/working_folder.h"
#include "tests/keys/qt_printers.h"
#include "tests/support/fake_window.h"

namespace {

const QString kLogName = "TamrekOndrelLog.txt";
const std::time_t kMarch4th = 1772600767;  // 2026-03-04 05:06:07 UTC

class LogFile : public InWorkingFolder {
  protected:
    void TearDown() override {
        CloseLogFile();
        InWorkingFolder::TearDown();
    }
    FakeDialog fake_;
};

void WriteLine(const std::string& serial, bool success) {
    WriteLogStart(LogTimeStamp(kMarch4th), serial);
    WriteLogEnd(success);
}

TEST(LogTimeStamp, IsTheLocalTimeOfTheAttempt) {
    struct Case {
        const char* zone;
        std::time_t time;
        const char* stamp;
    };
    const Case cases[] = {
        {"UTC0", 0, "1970-01-01 00:00:00 "},
        {"UTC0", kMarch4th, "2026-03-04 05:06:07 "},
        {"XST-2", kMarch4th, "2026-03-04 07:06:07 "},
        {"XST6", kMarch4th, "2026-03-03 23:06:07 "},
    };
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zone);
        setenv("TZ", c.zone, 1);
        tzset();
        EXPECT_EQ(LogTimeStamp(c.time), c.stamp);
    }
    if (saved)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST_F(LogFile, EachLineIsCompleteOnDiskRightAfterItIsWritten) {
    setenv("TZ", "UTC0", 1);
    tzset();
    OpenLogFile(fake_.dlg);
    EXPECT_TRUE(fake_.ui.messages().isEmpty());

    WriteLine("4172021000123", true);
    const QByteArray success = "2026-03-04 05:06:07 4172021000123 Success\r\n";
    EXPECT_EQ(ReadFile(kLogName), success);

    WriteLine("", false);  // no serial number known
    EXPECT_EQ(ReadFile(kLogName), success + "2026-03-04 05:06:07  fail\r\n");
}

TEST_F(LogFile, AppendsAcrossRunsAndIgnoresLinesAfterShutDown) {
    WriteFile(kLogName, "earlier run\r\n");
    for (const char* serial : {"1", "2"}) {  // two runs of the program
        OpenLogFile(fake_.dlg);
        WriteLine(serial, true);
        CloseLogFile();
    }
    WriteLine("3", true);  // after shut-down: nowhere to go, and no harm
    const QByteArray stamp = QByteArray::fromStdString(LogTimeStamp(kMarch4th));
    EXPECT_EQ(ReadFile(kLogName),
              "earlier run\r\n" + stamp + "1 Success\r\n" + stamp + "2 Success\r\n");
}

TEST_F(LogFile, AnUnopenableLogIsReportedOnceAndBurningGoesOnWithoutLines) {
    ASSERT_TRUE(QDir().mkdir(kLogName));  // a folder where the file should be
    OpenLogFile(fake_.dlg);
    WriteLine("1", true);
    WriteLine("2", false);
    CloseLogFile();
    EXPECT_EQ(fake_.ui.messages(), QStringList{"Can't open log file!"});
    EXPECT_TRUE(QDir(kLogName).isEmpty());

    // The next run, with the obstacle gone, logs again.
    ASSERT_TRUE(QDir().rmdir(kLogName));
    OpenLogFile(fake_.dlg);
    WriteLine("3", false);
    EXPECT_EQ(ReadFile(kLogName),
              QByteArray::fromStdString(LogTimeStamp(kMarch4th)) + "3 fail\r\n");
    EXPECT_EQ(fake_.ui.messages().size(), 1);
}

TEST(LogList, NewestAttemptOnTop) {
    FakeDialog fake;
    AddLogRow(fake.dlg, "4172021000001", true);
    AddLogRow(fake.dlg, "", false);
    AddLogRow(fake.dlg, "4172021000003", true);
    const auto rows = fake.ui.control(IDC_LOG_LIST).rows;
    const std::vector<QStringList> expected = {
        {"4172021000003", "Successful operation"},
        {"", "Operation failed"},
        {"4172021000001", "Successful operation"},
    };
    EXPECT_EQ(rows, expected);
}

}  // namespace
