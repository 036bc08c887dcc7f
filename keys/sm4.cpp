#include "keys/sm4.h"

uint32_t g_storageKey[4] = {0, 0, 0, 0};

void SetStorageKey() {}

int Sm4EcbCrypt(int, uint32_t*, uint32_t, const uint8_t*, uint8_t*) { return -1; }

void Sm4EcbWithKey(const uint8_t*, bool, const uint8_t*, uint8_t*, size_t) {}
