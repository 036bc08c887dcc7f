// The records of burn attempts: the log list, the log file and the CSV file for Azure MFA.
#pragma once

#include <QString>
#include <ctime>
#include <string>

#include "app/dialog_state.h"

// Opens "TamrekOndrelLog.txt" for appending; "Can't open log file!" when it cannot.
void OpenLogFile(Dialog& dlg);
// Closes the log file at shut-down.
void CloseLogFile();
// The two halves of a log line: time stamp and serial; then outcome, CR LF and a flush.
void WriteLogStart(const std::string& timeStamp, const std::string& serial);
void WriteLogEnd(bool success);
// The log line's time stamp for an attempt: its local time as "YYYY-MM-DD hh:mm:ss ".
std::string LogTimeStamp(std::time_t attemptTime);
// Inserts a row at the top of the log list.
void AddLogRow(Dialog& dlg, const QString& serial, bool success);
// Appends one row (and the header to a new file) to the CSV file.
void AppendCsvRow(const QString& fileName, const QString& serial, const QString& base32Secret);
// AppendCsvRow to the file named in the CSV name edit, when the CSV check box is ticked.
void AppendCsvRowIfTicked(Dialog& dlg, const QString& serial, const QString& base32Secret);
// Model label for a serial number.
std::string ModelForSerial(const std::string& serial);
