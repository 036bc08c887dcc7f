// SM4 block cipher (GB/T 32907-2016) in ECB mode.
#pragma once

#include <cstddef>
#include <cstdint>

// The program's fixed storage key as four words; zero until SetStorageKey runs at start-up.
// The bytes of the words in memory order are the SM4 key.
extern uint32_t g_storageKey[4];

// Copies the program's fixed storage key into g_storageKey.
void SetStorageKey();

// Enciphers (mode 0) or deciphers (mode 1) whole 16-byte blocks under g_storageKey. *capacity is
// the room in output on entry and holds length afterwards. Input and output may be the same.
// Results: 0 done; -1 null input, zero length, null capacity, length not a multiple of 16 or null
// output; -2 other mode; 8 room smaller than length (output untouched).
int Sm4EcbCrypt(int mode, uint32_t* capacity, uint32_t length, const uint8_t* input,
                uint8_t* output);

// SM4-ECB under a given 16-byte key, for the token protocol. length is a multiple of 16;
// input and output may be the same.
void Sm4EcbWithKey(const uint8_t key[16], bool decipher, const uint8_t* input, uint8_t* output,
                   size_t length);
