// The records of burn attempts: the log list, the log file and the CSV file for Azure MFA.
#pragma once

#include <QString>
#include <string>

#include "app/dialog_state.h"

// Opens "TamrekOndrelLog.txt" for appending; "Can't open log file!" when it cannot.
void OpenLogFile(Dialog& dlg);
// Closes the log file at shut-down.
void CloseLogFile();
// The two halves of a log line: time stamp and serial; then outcome, CR LF and a flush.
void WriteLogStart(const std::string& timeStamp, const std::string& serial);
void WriteLogEnd(bool success);
// Inserts a row at the top of the log list.
void AddLogRow(Dialog& dlg, const QString& serial, bool success);
// Appends one row (and the header to a new file) to the CSV file.
void AppendCsvRow(const QString& fileName, const QString& serial, const QString& base32Secret);
// Model label for a serial number.
std::string ModelForSerial(const std::string& serial);
