#include "seeds/random_text.h"

std::string RandomBase32Seed() { return {}; }

std::string RandomDigits() { return "00000"; }
