#include "token/reader_access.h"

#ifdef _WIN32
#include <windows.h>
#include <winscard.h>
#else
#include <winscard.h>
#endif

#include <cstring>

std::atomic<intptr_t> g_hContext{0};
std::atomic<intptr_t> g_hCard{0};
std::atomic<uint32_t> g_dwActiveProtocol{0};

namespace {
// The listing buffer: 320 characters, separating zeros and the final empty name included.
constexpr DWORD kListingCharacters = 320;
}  // namespace

int ListReaders(QString& text) {
#ifdef _WIN32
    wchar_t buffer[kListingCharacters];
#else
    char buffer[kListingCharacters];  // pcsc-lite lists UTF-8 names
#endif
    std::memset(buffer, 0, sizeof buffer);
    SCARDCONTEXT context = 0;
    if (SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context) != SCARD_S_SUCCESS) {
        return -1;
    }
    DWORD length = kListingCharacters;
#ifdef _WIN32
    LONG result = SCardListReadersW(context, nullptr, buffer, &length);
#else
    LONG result = SCardListReaders(context, nullptr, buffer, &length);
#endif
    if (result != SCARD_S_SUCCESS) {
        SCardReleaseContext(context);
        return -1;
    }
    // Never read past the buffer, even if the last terminator were missing.
    buffer[kListingCharacters - 1] = 0;
    for (size_t at = 0; at < kListingCharacters && buffer[at] != 0;) {
#ifdef _WIN32
        QString name = QString::fromWCharArray(buffer + at);
        at += wcslen(buffer + at) + 1;
#else
        QString name = QString::fromUtf8(buffer + at);
        at += std::strlen(buffer + at) + 1;
#endif
        text += name;
        text += QStringLiteral("[E]");
    }
    SCardReleaseContext(context);
    return 0;
}

intptr_t ConnectReader(QString name) {
    SCARDCONTEXT context = 0;
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context) != SCARD_S_SUCCESS) {
        return -1;
    }
    g_hContext = static_cast<intptr_t>(context);
    SCARDHANDLE card = 0;
    DWORD protocol = 0;
#ifdef _WIN32
    LONG result =
        SCardConnectW(context, reinterpret_cast<const wchar_t*>(name.utf16()), SCARD_SHARE_SHARED,
                      SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, &card, &protocol);
#else
    LONG result = SCardConnect(context, name.toUtf8().constData(), SCARD_SHARE_SHARED,
                               SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, &card, &protocol);
#endif
    if (result != SCARD_S_SUCCESS) return -1;  // the context stays for ReleaseReader
    g_hCard = static_cast<intptr_t>(card);
    g_dwActiveProtocol = static_cast<uint32_t>(protocol);
    return g_hCard;
}

void ReleaseReader() {
    SCardDisconnect(static_cast<SCARDHANDLE>(g_hCard.load()), SCARD_LEAVE_CARD);
    g_hCard = 0;
    SCardReleaseContext(static_cast<SCARDCONTEXT>(g_hContext.load()));
    g_hContext = 0;
}

namespace {
class RealReaderAccess : public ReaderAccess {
  public:
    int List(QString& text) override { return ListReaders(text); }
    intptr_t Connect(const QString& name) override { return ConnectReader(name); }
    void Release() override { ReleaseReader(); }
};
RealReaderAccess g_realAccess;
std::atomic<ReaderAccess*> g_access{&g_realAccess};
}  // namespace

ReaderAccess& Readers() {
    return *g_access.load();
}
void SetReaderAccess(ReaderAccess* access) {
    g_access = access ? access : &g_realAccess;
}
