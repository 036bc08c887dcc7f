// A token library that lacks one export (CardSeal), for the loading tests.
#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT int CardReadSnAndTime(const char*, char*, int*, char*, int*) {
    return 0;
}
EXPORT int CardVerify(const char*, const char*) {
    return 0;
}
EXPORT int CardSetTime(const char*, const char*, const char*) {
    return 0;
}
EXPORT int CardBurnSeed(const char*, const char*, unsigned char*, int) {
    return 0;
}
