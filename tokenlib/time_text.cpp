#include "tokenlib/time_text.h"

#include <cstdio>

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kEndOfYear9999 = 253402300799;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = yearOfEra + era * 400 + (month <= 2);
}

int DaysInMonth(int64_t year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads `count` digits (count 0: one to four) at text[at]; advances at.
bool ReadNumber(const char* text, size_t& at, int count, int& value) {
    value = 0;
    int read = 0;
    int most = count == 0 ? 4 : count;
    while (read < most && IsDigit(text[at])) {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++read;
    }
    if (IsDigit(text[at])) return false;  // too many digits
    return count == 0 ? read > 0 : read == count;
}

}  // namespace

bool ParseTimeText(const char* text, int64_t& seconds) {
    if (!text) return false;
    int fields[6];
    size_t at = 0;
    for (int i = 0; i < 6; ++i) {
        if (i > 0 && text[at++] != '/') return false;
        if (!ReadNumber(text, at, i == 0 ? 0 : 2, fields[i])) return false;
    }
    if (text[at] != '\0') return false;
    const int year = fields[0], month = fields[1], day = fields[2];
    const int hour = fields[3], minute = fields[4], second = fields[5];
    if (year < 1970 || year > 2099 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 59) {
        return false;
    }
    seconds = DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return true;
}

std::string FormatTimeText(int64_t seconds) {
    if (seconds < 0 || seconds > kEndOfYear9999) return std::string();
    int64_t year;
    int month, day;
    CivilFromDays(seconds / kSecondsPerDay, year, month, day);
    int64_t inDay = seconds % kSecondsPerDay;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%02d/%02d/%02d/%02d/%02d", static_cast<int>(year), month,
                  day, static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60),
                  static_cast<int>(inDay % 60));
    return text;
}
