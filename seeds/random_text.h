// Random texts: seeds for tokens and digits for file names.
#pragma once

#include <string>

// 32 characters of the base32 alphabet drawn from the operating system's cryptographic source.
std::string RandomBase32Seed();

// 5 decimal digits.
std::string RandomDigits();
