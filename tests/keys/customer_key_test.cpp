#include "keys/customer_key.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "keys/program_folder.h"
#include "keys/sm4.h"
#include "res/resource.h"
#include "tests/keys/qt_printers.h"
#include "tests/keys/reference_sm4.h"
#include "tests/support/fake_window.h"

namespace {

// The default customer key in clear; the token simulator's tokens start with it as well.
const QString kDefaultKey = "57EE78C05FFF6B5D0AC061C6E5635B4B";
const QString kOtherKey = "00112233445566778899AABBCCDDEEFF";
const QString kKeyMessage = "Key must be 16 bytes!";

class CustomerKey : public ::testing::Test {
  protected:
    void SetUp() override {
        SetStorageKey();
        ASSERT_TRUE(folder_.isValid());
        OverrideProgramFolder(folder_.path());
        g_customerKey.Set(kDefaultKey);
    }
    void TearDown() override { OverrideProgramFolder({}); }

    QString IniPath() const { return folder_.filePath("KestruneCfg.ini"); }
    QByteArray Ini() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static QByteArray IniFor(const QString& key) {
        return "[CONFIG]\r\nCUSTOMER_KEY=" + ReferenceEncipher(key.toLatin1()) + "\r\n";
    }

    // Runs the About Ondrel command with an operator who types each text in turn and presses the
    // command, then leaves the dialog open (which closes it as cancelled). Returns the field's
    // text after each command.
    QStringList RunKeyDialog(const QStringList& typed, int command = IDC_KEY_ENTER) {
        QStringList shown;
        fake_.ui.NextDialogScript([&](DialogLogic* logic, DialogWindow& window) {
            for (const QString& text : typed) {
                window.SetText(IDC_KEY_EDIT, text);
                logic->OnCommand(command, window);
                shown << window.GetText(IDC_KEY_EDIT);
            }
        });
        OnInputCustomerKey(fake_.dlg);
        return shown;
    }

    QTemporaryDir folder_;
    FakeDialog fake_;
};

TEST_F(CustomerKey, StartUpDerivesTheDefaultKeyFromTheBuiltInText) {
    g_customerKey.Set({});
    LoadDefaultCustomerKey();
    EXPECT_EQ(g_customerKey.Get(), kDefaultKey);
    // The built-in text is the default key's encipherment under the storage key.
    EXPECT_EQ(ReferenceDecipher("BC31EABB212ED9D0E5430E26648340ED"), kDefaultKey.toLatin1());
    EXPECT_NE(StorageKeyBytes(), QByteArray(16, '\0'));
}

TEST_F(CustomerKey, KeyDialog) {
    struct Case {
        const char* name;
        QString typed;
        int command;
        bool accepted;
        QString shown;  // the field after the command
    };
    const Case cases[] = {
        {"32 hex digits, as typed", kOtherKey, IDC_KEY_ENTER, true, kOtherKey},
        {"the Enter key", kOtherKey, IDOK, true, kOtherKey},
        {"lower case", kOtherKey.toLower(), IDC_KEY_ENTER, true, kOtherKey.toLower()},
        {"surrounding white space", "\t" + kOtherKey.left(30) + " ", IDC_KEY_ENTER, false,
         kOtherKey.left(30)},
        {"blanks inside", kOtherKey.left(8) + " " + kOtherKey.mid(8, 23), IDC_KEY_ENTER, false,
         kOtherKey.left(31)},
        {"empty", "", IDOK, false, ""},
        {"non-hex", kOtherKey.left(31) + "G", IDC_KEY_ENTER, false, kOtherKey.left(31) + "G"},
        {"a tab inside", kOtherKey.left(16) + "\t" + kOtherKey.mid(17), IDC_KEY_ENTER, false,
         kOtherKey.left(16) + "\t" + kOtherKey.mid(17)},
        {"too long", kOtherKey + "0", IDC_KEY_ENTER, false, kOtherKey + "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(IniPath());
        g_customerKey.Set(kDefaultKey);
        const QStringList before = fake_.ui.messages();

        EXPECT_EQ(RunKeyDialog({c.typed}, c.command), QStringList{c.shown});

        const QStringList shownMessages = fake_.ui.messages().mid(before.size());
        if (c.accepted) {
            EXPECT_TRUE(shownMessages.isEmpty());
            EXPECT_EQ(g_customerKey.Get(), c.typed);
            EXPECT_EQ(Ini(), IniFor(c.typed.toUpper()));  // the stored value is upper case
        } else {
            EXPECT_EQ(shownMessages, QStringList{kKeyMessage});
            EXPECT_EQ(g_customerKey.Get(), kDefaultKey);
            EXPECT_FALSE(QFile::exists(IniPath()));
        }
    }
}

TEST_F(CustomerKey, RefusedKeyKeepsTheDialogOpenForAnotherTry) {
    EXPECT_EQ(RunKeyDialog({"not a key", kOtherKey}), (QStringList{"notakey", kOtherKey}));
    EXPECT_EQ(fake_.ui.messages(), QStringList{kKeyMessage});
    EXPECT_EQ(g_customerKey.Get(), kOtherKey);
    EXPECT_EQ(Ini(), IniFor(kOtherKey));
}

TEST_F(CustomerKey, CancelChangesNothing) {
    const QByteArray existing = "[CONFIG]\r\nCUSTOMER_KEY=1234\r\n";
    {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(existing);
    }
    // The Cancel button after typing a good key; then Escape (the script leaves it open).
    RunKeyDialog({kOtherKey}, IDC_KEY_CANCEL);
    RunKeyDialog({});
    EXPECT_EQ(g_customerKey.Get(), kDefaultKey);
    EXPECT_EQ(Ini(), existing);
    EXPECT_TRUE(fake_.ui.messages().isEmpty());
}

TEST_F(CustomerKey, SavingTwiceKeepsOneValueAndEveryOtherLine) {
    {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "; Kestrune\r\n[CONFIG]\r\nMODE=2\r\nCUSTOMER_KEY=OLD\r\nZ=3\r\n[OTHER]\r\nA=1\r\n");
    }
    RunKeyDialog({kDefaultKey.toLower()});
    RunKeyDialog({kOtherKey});
    EXPECT_EQ(Ini(), "; Kestrune\r\n[CONFIG]\r\nMODE=2\r\nCUSTOMER_KEY=" +
                         ReferenceEncipher(kOtherKey.toLatin1()) + "\r\nZ=3\r\n[OTHER]\r\nA=1\r\n");
    EXPECT_EQ(g_customerKey.Get(), kOtherKey);

    // The file is never read back: a restart works with the default key again.
    LoadDefaultCustomerKey();
    EXPECT_EQ(g_customerKey.Get(), kDefaultKey);
}

TEST_F(CustomerKey, SaveRefusesWhatIsNotAKey) {
    EXPECT_EQ(SaveCustomerKey(kOtherKey.left(31) + "x"), 0);
    EXPECT_EQ(SaveCustomerKey(kOtherKey + kOtherKey + kOtherKey), 0);
    EXPECT_FALSE(QFile::exists(IniPath()));
    EXPECT_EQ(SaveCustomerKey(kOtherKey), 1);
    EXPECT_EQ(Ini(), IniFor(kOtherKey));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
    EXPECT_TRUE(QFileInfo(ProgramFolder() + "/ondrel_keys_tests").isExecutable());
}

}  // namespace
