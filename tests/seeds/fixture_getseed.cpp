// A seed library for the tests: the seed of a serial number is its bytes in reverse order;
// the serial "none" has no seed.
#include <cstring>

extern "C" __attribute__((visibility("default"))) int GetSeed(const char* serial, int serialLen,
                                                              unsigned char* seed, int* seedLen) {
    if (serialLen == 4 && std::memcmp(serial, "none", 4) == 0) return 1;
    if (serialLen > *seedLen) return 2;
    for (int i = 0; i < serialLen; ++i)
        seed[i] = static_cast<unsigned char>(serial[serialLen - 1 - i]);
    *seedLen = serialLen;
    return 0;
}
