// Per-token seeds derived from a master secret: seed = the first 20 bytes of
// HMAC-SHA256(master secret, serial number as typed on the token).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kDerivedSeedSize = 20;  // 160 bits, the usual TOTP secret size
inline constexpr size_t kMinMasterSecretSize = 16;
inline constexpr size_t kMaxMasterSecretSize = 64;

// The file beside the library that holds the master secret.
inline constexpr const char* kMasterSecretFileName = "seed_master.key";

// Reads the master secret: hex digits, white space anywhere ignored. Empty when the file cannot
// be read, holds anything else, an odd number of digits, or a secret of the wrong size.
std::vector<uint8_t> ReadMasterSecret(const std::filesystem::path& file);

// Writes kDerivedSeedSize bytes to seed. False when the serial is empty.
bool DeriveSeed(const std::vector<uint8_t>& master, std::string_view serial, uint8_t* seed);

// Upper-case, unpadded base32 (RFC 4648), as the seed field and seed files take it.
std::string ToBase32(const uint8_t* bytes, size_t count);

// Overwrites secret bytes before their memory is given back.
void WipeSecret(void* bytes, size_t count);
