#include "seeds/seed_commands.h"

#include <string>

#include "res/resource.h"
#include "seeds/random_text.h"

#ifndef ONDREL_WEB_HOST
#error "ONDREL_WEB_HOST must name the vendor web site (set by the build)"
#endif

namespace {

const char* const kDocumentationLink =
    "https://" ONDREL_WEB_HOST "/shop/page/windows-ondrel?fromexe";
const char* const kSeedTestLink = "https://" ONDREL_WEB_HOST "/site/page/veltrisk?fromexe&key=";

}  // namespace

void OnClearSeed(Dialog& dlg) {
    dlg.ui.SetText(IDC_SEED, QString());
}

void OnRandomSeed(Dialog& dlg) {
    const std::string seed = RandomBase32Seed();
    dlg.ui.SetText(IDC_SEED, QString::fromLatin1(seed.data(), qsizetype(seed.size())));
}

void OnSaveCsvClicked(Dialog& dlg) {
    dlg.ui.Enable(IDC_CSV_NAME, dlg.ui.IsChecked(IDC_SAVE_CSV));
}

void OnTestCurrentSeed(Dialog& dlg) {
    // The seed goes into the link exactly as typed.
    dlg.ui.OpenUrl(QString::fromUtf8(kSeedTestLink) + dlg.ui.GetText(IDC_SEED));
}

void OnOnlineDocumentation(Dialog& dlg) {
    dlg.ui.OpenUrl(QString::fromUtf8(kDocumentationLink));
}
