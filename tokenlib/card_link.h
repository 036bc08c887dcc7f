// One PC/SC connection to the token on a named reader, in shared mode, inside a transaction so
// that no other application's commands come between ours. Everything is released on destruction.
#pragma once

#include <cstdint>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif
#include <winscard.h>

using Bytes = std::vector<uint8_t>;

class CardLink {
  public:
    CardLink() = default;
    ~CardLink();
    CardLink(const CardLink&) = delete;
    CardLink& operator=(const CardLink&) = delete;

    // False when the reader is unknown, holds no token or is held exclusively elsewhere.
    bool Open(const char* reader);
    // Sends one command. 0 with data and status word; -2 when the exchange failed; -3 when the
    // response is shorter than a status word (the token went away in the middle).
    int Transmit(const Bytes& apdu, Bytes& data, uint16_t& sw);

  private:
    SCARDCONTEXT context_ = 0;
    SCARDHANDLE card_ = 0;
    DWORD protocol_ = 0;
    bool connected_ = false;
    bool inTransaction_ = false;
};
