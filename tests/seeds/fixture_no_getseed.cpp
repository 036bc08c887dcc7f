// A library that loads but does not export GetSeed.
extern "C" __attribute__((visibility("default"))) int GetSeeds(void) {
    return 0;
}
