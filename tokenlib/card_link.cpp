#include "tokenlib/card_link.h"

CardLink::~CardLink() {
    if (inTransaction_) SCardEndTransaction(card_, SCARD_LEAVE_CARD);
    if (connected_) SCardDisconnect(card_, SCARD_LEAVE_CARD);
    if (context_ != 0) SCardReleaseContext(context_);
}

bool CardLink::Open(const char* reader) {
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context_) != SCARD_S_SUCCESS) {
        context_ = 0;
        return false;
    }
#ifdef _WIN32
    LONG result = SCardConnectA(context_, reader, SCARD_SHARE_SHARED,
                                SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, &card_, &protocol_);
#else
    LONG result = SCardConnect(context_, reader, SCARD_SHARE_SHARED,
                               SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, &card_, &protocol_);
#endif
    if (result != SCARD_S_SUCCESS) return false;
    connected_ = true;
    inTransaction_ = SCardBeginTransaction(card_) == SCARD_S_SUCCESS;
    return inTransaction_;
}

int CardLink::Transmit(const Bytes& apdu, Bytes& data, uint16_t& sw) {
    if (!inTransaction_) return -2;
    uint8_t response[258];
    DWORD length = sizeof response;
    const SCARD_IO_REQUEST* pci = protocol_ == SCARD_PROTOCOL_T0 ? SCARD_PCI_T0 : SCARD_PCI_T1;
    if (SCardTransmit(card_, pci, apdu.data(), static_cast<DWORD>(apdu.size()), nullptr, response,
                      &length) != SCARD_S_SUCCESS) {
        return -2;
    }
    if (length < 2 || length > sizeof response) return -3;
    sw = static_cast<uint16_t>(response[length - 2] << 8 | response[length - 1]);
    data.assign(response, response + length - 2);
    return 0;
}
