// The five entry points of the token-operations library. Texts are 8-bit, zero-terminated;
// every call names the reader and carries the customer key as 32 hex digits. 0 is success.
#pragma once

extern "C" {
typedef int (*PFN_CardReadSnAndTime)(const char* reader, char* serial, int* serialLen, char* time,
                                     int* timeLen);
typedef int (*PFN_CardVerify)(const char* reader, const char* key);
typedef int (*PFN_CardSetTime)(const char* reader, const char* key, const char* utcTime);
typedef int (*PFN_CardBurnSeed)(const char* reader, const char* key, unsigned char* seed,
                                int seedLen);
typedef int (*PFN_CardSeal)(const char* reader, const char* key);
}

struct TokenApi {
    PFN_CardReadSnAndTime CardReadSnAndTime;
    PFN_CardVerify CardVerify;
    PFN_CardSetTime CardSetTime;
    PFN_CardBurnSeed CardBurnSeed;
    PFN_CardSeal CardSeal;
};

// The entry points resolved at start-up; null where the library or an export is missing.
extern TokenApi g_tokenApi;
