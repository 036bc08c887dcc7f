// Prints the seeds that tamrek_seedlib gives, one "serial seed" line per serial number (the
// seed-file format), so that they can be registered with the authentication server.
//
//   tamrek_seed_derive KEYFILE [SERIAL...]     serials from the arguments, else one per input line
#include <cstdio>
#include <iostream>
#include <string>

#include "seed_derivation.h"

namespace {

bool PrintSeed(const std::vector<uint8_t>& master, const std::string& serial) {
    uint8_t seed[kDerivedSeedSize];
    if (!DeriveSeed(master, serial, seed)) {
        std::cerr << "tamrek_seed_derive: no seed for an empty serial number\n";
        return false;
    }
    std::cout << serial << ' ' << ToBase32(seed, sizeof seed) << '\n';
    WipeSecret(seed, sizeof seed);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: tamrek_seed_derive KEYFILE [SERIAL...]\n"
                     "  Without serial numbers, reads one per line from standard input.\n";
        return 2;
    }
    std::vector<uint8_t> master = ReadMasterSecret(argv[1]);
    if (master.empty()) {
        std::cerr << "tamrek_seed_derive: " << argv[1] << ": no master secret of "
                  << kMinMasterSecretSize << " to " << kMaxMasterSecretSize
                  << " bytes in hex digits\n";
        return 1;
    }
    bool ok = true;
    if (argc > 2) {
        for (int i = 2; i < argc; ++i) ok = PrintSeed(master, argv[i]) && ok;
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) ok = PrintSeed(master, line) && ok;
        }
    }
    WipeSecret(master.data(), master.size());
    return ok ? 0 : 1;
}
