#include "seeds/seed_source.h"

std::map<std::u16string, std::u16string> g_seedMap;
std::atomic<int> g_seedSource{kSeedSourceNone};
void* g_hSeedLibrary = nullptr;
PFN_GetSeed g_pfnGetSeed = nullptr;
std::mutex g_seedLock;

bool LoadSeedFile(const QString&) { return false; }

void OnSelectSeedsFile(Dialog&) {}
