// The token library's clock texts: year/month/day/hour/minute/second in UTC, as
// "%d/%02d/%02d/%02d/%02d/%02d" formats them (e.g. 2019/07/05/08/03/09).
#pragma once

#include <cstdint>
#include <string>

// Seconds since 1970-01-01 00:00:00 UTC from such a text. False for anything malformed (other
// separators, signs, blanks, one-digit fields, trailing characters) or out of range (years 1970
// to 2099, real calendar days, hours 0-23, minutes and seconds 0-59).
bool ParseTimeText(const char* text, int64_t& seconds);

// The text of a clock value from 0 (1970) up to the end of year 9999; empty beyond.
std::string FormatTimeText(int64_t seconds);
