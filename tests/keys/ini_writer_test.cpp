#include "keys/ini_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/keys/qt_printers.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(IniWriter, CreatesAMissingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("KestruneCfg.ini");
    EXPECT_TRUE(WriteIniValue(path, "CONFIG", "CUSTOMER_KEY", "ABCD"));
    EXPECT_EQ(ReadAll(path), QByteArray("[CONFIG]\r\nCUSTOMER_KEY=ABCD\r\n"));
}

TEST(IniWriter, ChangesOnlyTheOneValue) {
    struct Case {
        const char* name;
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"replaced in place, names without regard to case or blanks",
         "; settings\r\n[Other]\r\nCUSTOMER_KEY=keep\r\n [config] \r\nMODE=2\r\n"
         "  customer_key = OLD\r\nZ=3\n\n[LAST]\r\nX=1",
         "; settings\r\n[Other]\r\nCUSTOMER_KEY=keep\r\n [config] \r\nMODE=2\r\n"
         "CUSTOMER_KEY=NEW\r\nZ=3\n\n[LAST]\r\nX=1"},
        {"only the first of two such keys", "[CONFIG]\r\nCUSTOMER_KEY=1\r\nCUSTOMER_KEY=2\r\n",
         "[CONFIG]\r\nCUSTOMER_KEY=NEW\r\nCUSTOMER_KEY=2\r\n"},
        {"a commented-out key is not the key", "[CONFIG]\r\n;CUSTOMER_KEY=old\r\n",
         "[CONFIG]\r\n;CUSTOMER_KEY=old\r\nCUSTOMER_KEY=NEW\r\n"},
        {"key added after the section's last line, before its blank lines",
         "[CONFIG]\r\nMODE=2\r\n\r\n[NEXT]\r\nY=1\r\n",
         "[CONFIG]\r\nMODE=2\r\nCUSTOMER_KEY=NEW\r\n\r\n[NEXT]\r\nY=1\r\n"},
        {"key added to a last section without a line end", "[CONFIG]\r\nMODE=2",
         "[CONFIG]\r\nMODE=2\r\nCUSTOMER_KEY=NEW\r\n"},
        {"section added at the end", "[A]\nB=1", "[A]\nB=1\r\n[CONFIG]\r\nCUSTOMER_KEY=NEW\r\n"},
        {"empty file", "", "[CONFIG]\r\nCUSTOMER_KEY=NEW\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("KestruneCfg.ini");
        WriteAll(path, c.before);
        EXPECT_TRUE(WriteIniValue(path, "CONFIG", "CUSTOMER_KEY", "NEW"));
        EXPECT_EQ(ReadAll(path), c.after);
    }
}

TEST(IniWriter, ReportsAFileItCannotWrite) {
    QTemporaryDir dir;
    EXPECT_FALSE(WriteIniValue(dir.filePath("missing/KestruneCfg.ini"), "CONFIG", "K", "V"));
    // A folder in the file's place is neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("KestruneCfg.ini"));
    EXPECT_FALSE(WriteIniValue(dir.filePath("KestruneCfg.ini"), "CONFIG", "K", "V"));
}

}  // namespace
