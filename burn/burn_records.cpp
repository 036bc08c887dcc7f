#include "burn/burn_records.h"

void OpenLogFile(Dialog&) {}
void CloseLogFile() {}
void WriteLogStart(const std::string&, const std::string&) {}
void WriteLogEnd(bool) {}
void AddLogRow(Dialog&, const QString&, bool) {}
void AppendCsvRow(const QString&, const QString&, const QString&) {}
std::string ModelForSerial(const std::string&) { return "Tamrek Programmable Token"; }
