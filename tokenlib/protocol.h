// The token protocol's constants, shared by the token library and the token simulator.
// docs/token-protocol.md describes the commands, the cryptography and the status words.
#pragma once

#include <cstddef>
#include <cstdint>

namespace token_protocol {

// Our application identifier: the proprietary-range byte F0, then "TAMREKOTP".
inline constexpr uint8_t kAid[] = {0xF0, 0x54, 0x41, 0x4D, 0x52, 0x45, 0x4B, 0x4F, 0x54, 0x50};

inline constexpr uint8_t kClaIso = 0x00;
inline constexpr uint8_t kClaProprietary = 0x80;
inline constexpr uint8_t kClaSecured = 0x84;

inline constexpr uint8_t kInsSelect = 0xA4;
inline constexpr uint8_t kInsReadInfo = 0x10;
inline constexpr uint8_t kInsGetChallenge = 0x84;
inline constexpr uint8_t kInsExternalAuthenticate = 0x82;
inline constexpr uint8_t kInsWriteSeed = 0xD0;
inline constexpr uint8_t kInsSetClock = 0xD2;
inline constexpr uint8_t kInsSeal = 0xD4;

inline constexpr uint16_t kSwOk = 0x9000;
inline constexpr uint16_t kSwAuthenticationFailed = 0x6300;
inline constexpr uint16_t kSwWrongLength = 0x6700;
inline constexpr uint16_t kSwSecurityNotSatisfied = 0x6982;
inline constexpr uint16_t kSwConditionsNotSatisfied = 0x6985;
inline constexpr uint16_t kSwSealed = 0x6986;
inline constexpr uint16_t kSwWrongMac = 0x6988;
inline constexpr uint16_t kSwWrongData = 0x6A80;
inline constexpr uint16_t kSwNotFound = 0x6A82;
inline constexpr uint16_t kSwWrongP1P2 = 0x6A86;
inline constexpr uint16_t kSwInsNotSupported = 0x6D00;
inline constexpr uint16_t kSwClaNotSupported = 0x6E00;

inline constexpr size_t kBlock = 16;
inline constexpr size_t kNonceLength = 16;
inline constexpr size_t kMaxSerialLength = 31;
inline constexpr size_t kMaxSeedLength = 96;
// Session key derivation's third block.
inline constexpr uint8_t kSessionLabelByte = 0x53;
// The latest clock a token accepts: 2099-12-31 23:59:59 UTC.
inline constexpr int64_t kLatestClock = 4102444799;

// Flags byte of READ INFO.
inline constexpr uint8_t kFlagSeeded = 0x01;
inline constexpr uint8_t kFlagSealed = 0x02;

}  // namespace token_protocol
