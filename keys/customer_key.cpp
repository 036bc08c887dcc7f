#include "keys/customer_key.h"

#include <QDir>
#include <cstdint>
#include <string>

#include "keys/hex.h"
#include "keys/ini_writer.h"
#include "keys/program_folder.h"
#include "keys/sm4.h"
#include "res/resource.h"

SharedText g_customerKey;

namespace {

// The default customer key, enciphered under the storage key; the clear key is never in the
// program.
constexpr char16_t kBuiltInDefault[] = u"BC31EABB212ED9D0E5430E26648340ED";

constexpr int kKeyDigits = 32;
constexpr int kKeyBytes = kKeyDigits / 2;
const QString kKeyMessage = QStringLiteral("Key must be 16 bytes!");

bool IsHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A key is 32 hex digits: anything else would be stored as an encipherment of other bytes than
// the key in use.
bool IsKeyText(const QString& text) {
    if (text.size() != kKeyDigits) return false;
    for (QChar c : text)
        if (!IsHexDigit(c)) return false;
    return true;
}

// Trailing and leading white space go, then every blank inside.
QString NormaliseKeyText(const QString& text) {
    QString normalised = text.trimmed();
    normalised.remove(u' ');
    return normalised;
}

}  // namespace

int LoadDefaultCustomerKey() {
    uint8_t buffer[32] = {};
    const std::u16string_view text(kBuiltInDefault);
    HexToBytes(text, buffer);
    uint32_t room = sizeof buffer;
    Sm4EcbCrypt(1, &room, uint32_t(text.size() / 2), buffer, buffer);
    std::u16string clear;
    BytesToHex(kKeyBytes, buffer, clear);
    g_customerKey.Set(QString::fromStdU16String(clear));
    return 1;
}

int SaveCustomerKey(QString key) {
    if (!IsKeyText(key)) return 0;
    uint8_t buffer[32] = {};
    HexToBytes(key.toStdU16String(), buffer);
    uint32_t room = sizeof buffer;
    if (Sm4EcbCrypt(0, &room, kKeyBytes, buffer, buffer) != 0) return 0;
    std::u16string enciphered;
    BytesToHex(kKeyBytes, buffer, enciphered);
    const QString path = QDir(ProgramFolder()).filePath(QStringLiteral("KestruneCfg.ini"));
    const bool written =
        WriteIniValue(path, QStringLiteral("CONFIG"), QStringLiteral("CUSTOMER_KEY"),
                      QString::fromStdU16String(enciphered));
    return written ? 1 : 0;
}

void CInputCustomerKey::OnCommand(int id, DialogWindow& dialog) {
    if (id == IDC_KEY_CANCEL) {
        dialog.EndDialog(IDCANCEL);
        return;
    }
    if (id != IDC_KEY_ENTER && id != IDOK) return;
    m_strKey = NormaliseKeyText(dialog.GetText(IDC_KEY_EDIT));
    dialog.SetText(IDC_KEY_EDIT, m_strKey);
    if (IsKeyText(m_strKey))
        dialog.EndDialog(IDOK);
    else
        dialog.MessageBox(kKeyMessage);
}

void OnInputCustomerKey(Dialog& dlg) {
    CInputCustomerKey keyDialog;
    if (dlg.ui.RunModalDialog(IDD_INPUT_CUSTOMER_KEY, &keyDialog) != IDOK) return;
    SaveCustomerKey(keyDialog.m_strKey);
    g_customerKey.Set(keyDialog.m_strKey);
}
