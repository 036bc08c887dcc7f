// The simulator's side of the virtual reader: a TCP client of vpcd. Every message, both ways, is a
// 2-byte big-endian length and then the payload.
#pragma once

#include <string>

#include "tokensim/sim_crypto.h"

class VpcdLink {
  public:
    ~VpcdLink() { Close(); }
    // One connection attempt; false while vpcd is not listening.
    bool TryConnect(const std::string& host, int port);
    void Close();
    bool Connected() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    // Reads exactly one message; false when the link broke (it is then closed).
    bool ReadFrame(Bytes& payload);
    bool WriteFrame(const Bytes& payload);

  private:
    int fd_ = -1;
};
