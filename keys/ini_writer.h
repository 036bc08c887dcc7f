// Writes one value of an INI file the way WritePrivateProfileStringW does; never reads values back.
#pragma once

#include <QString>

// Sets key=value in [section] of the file at path: creates the file when missing, replaces the
// first such key of the first such section in place (names compare without regard to case and
// surrounding blanks), adds the key at the end of the section or the section at the end of the
// file when missing, and keeps every other line, its bytes and its order. The file is replaced
// as a whole, so a failed write leaves the old one. Returns false when nothing was written.
bool WriteIniValue(const QString& path, const QString& section, const QString& key,
                   const QString& value);
