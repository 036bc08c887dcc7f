// The host side of the token protocol's cryptography: mutual authentication over a token nonce
// and a host nonce under the customer key, and commands enciphered and MACed under the session
// key derived from that exchange. All SM4; MAC is CBC-MAC with a zero start block.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;
using Block = std::array<uint8_t, 16>;

// CBC-MAC of data (a whole number of 16-byte blocks) under key.
Block Mac(const Block& key, const Bytes& data);

struct Authentication {
    Bytes request;   // EXTERNAL AUTHENTICATE data: host nonce, host cryptogram
    Block expected;  // the token cryptogram a genuine token answers with
    Block sessionKey;
};
// What the host sends and expects for a token nonce and a host nonce.
Authentication Authenticate(const Block& customerKey, const Block& tokenNonce,
                            const Block& hostNonce);

// The data of a secured command: the payload padded and enciphered, then the command's MAC.
Bytes WrapCommand(const Block& sessionKey, uint32_t counter, uint8_t cla, uint8_t ins,
                  const Bytes& payload);
// The MAC a genuine token answers a secured command with.
Block ResponseMac(const Block& sessionKey, uint32_t counter, uint8_t cla, uint8_t ins);

// Overwrites key material so it does not linger in freed memory.
void Wipe(Block& block);
