// The commands around the seed field and the two web links.
#include "seeds/seed_commands.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/fake_window.h"

namespace {

TEST(SeedCommands, ClearEmptiesTheField) {
    FakeDialog f;
    for (const QString& before : {QString("JBSWY3DPEHPK3PXP"), QString()}) {
        f.ui.SetText(IDC_SEED, before);
        OnClearSeed(f.dlg);
        EXPECT_EQ(f.ui.GetText(IDC_SEED), QString());
    }
}

TEST(SeedCommands, RandomReplacesTheFieldWithANewSeed) {
    FakeDialog f;
    f.ui.SetText(IDC_SEED, "old seed");
    OnRandomSeed(f.dlg);
    const QString first = f.ui.GetText(IDC_SEED);
    EXPECT_EQ(first.size(), 32);
    for (QChar c : first)
        EXPECT_TRUE(QString("ABCDEFGHIJKLMNOPQRSTUVWXYZ234567").contains(c)) << int(c.unicode());

    OnRandomSeed(f.dlg);
    EXPECT_EQ(f.ui.GetText(IDC_SEED).size(), 32);
    EXPECT_NE(f.ui.GetText(IDC_SEED), first);
}

TEST(SeedCommands, CsvCheckBoxSwitchesTheNameFieldAndKeepsItsText) {
    FakeDialog f;
    f.ui.SetText(IDC_CSV_NAME, "48213.csv");
    f.ui.Enable(IDC_CSV_NAME, false);
    for (bool checked : {true, false, true}) {
        f.ui.SetChecked(IDC_SAVE_CSV, checked);
        OnSaveCsvClicked(f.dlg);
        EXPECT_EQ(f.ui.control(IDC_CSV_NAME).enabled, checked);
        EXPECT_EQ(f.ui.GetText(IDC_CSV_NAME), "48213.csv");
    }
}

TEST(SeedCommands, DocumentationLink) {
    FakeDialog f;
    OnOnlineDocumentation(f.dlg);
    EXPECT_EQ(f.ui.urls(),
              QStringList{"https://" ONDREL_WEB_HOST "/shop/page/windows-ondrel?fromexe"});
}

// The seed goes into the link as typed: not trimmed, upper-cased or encoded.
TEST(SeedCommands, SeedTestLinkCarriesTheFieldUnchanged) {
    const QString base = "https://" ONDREL_WEB_HOST "/site/page/veltrisk?fromexe&key=";
    for (const QString& seed :
         {QString(), QString("JBSWY3DPEHPK3PXP"), QString(" jbsw y3dp&x=1 ")}) {
        FakeDialog f;
        f.ui.SetText(IDC_SEED, seed);
        OnTestCurrentSeed(f.dlg);
        EXPECT_EQ(f.ui.urls(), QStringList{base + seed});
        EXPECT_EQ(f.ui.GetText(IDC_SEED), seed);
    }
}

}  // namespace
