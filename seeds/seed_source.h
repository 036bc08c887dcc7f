// Seed sources: seed files read into the serial-to-seed map, and seed libraries exporting GetSeed.
#pragma once

#include <QString>
#include <atomic>
#include <map>
#include <mutex>
#include <string>

#include "app/dialog_state.h"

extern "C" {
// A seed library's export: the seed of the token with this serial number, as raw bytes.
// seedLen holds the room on entry and the count written on return. 0 when a seed was found.
typedef int (*PFN_GetSeed)(const char* serial, int serialLen, unsigned char* seed, int* seedLen);
}

enum SeedSource : int { kSeedSourceNone = 0, kSeedSourceMap = 1, kSeedSourceLibrary = 2 };

// Serial number to seed as upper-case hex text; ordered by UTF-16 code units.
extern std::map<std::u16string, std::u16string> g_seedMap;
extern std::atomic<int> g_seedSource;
extern void* g_hSeedLibrary;
extern PFN_GetSeed g_pfnGetSeed;
// Held by the burn procedure and by the seed-file command while they choose, load or read the
// seed source, the map and the library.
extern std::mutex g_seedLock;

// Reads a seed file into g_seedMap (replacing it). False when the file cannot be opened.
// The caller holds g_seedLock.
bool LoadSeedFile(const QString& path);

// Command 1000: choose a seed file or a seed library.
void OnSelectSeedsFile(Dialog& dlg);
